#include "forms/Font.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

namespace quva::forms {

void ensureFonts() {
    static bool done = false;
    if (done || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    done = true;
    // fonts-wine puts Tahoma outside fontconfig's folders.
    for (const char* f : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(QString::fromLatin1(f))) QFontDatabase::addApplicationFont(QString::fromLatin1(f));
}

QString fontFamilyFor(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == u"arial" || n == u"ms sans serif" || n == u"microsoft sans serif" || n == u"helvetica")
        return QStringLiteral("Liberation Sans");
    if (n == u"arial narrow") return QStringLiteral("Liberation Sans Narrow");
    if (n == u"times new roman") return QStringLiteral("Liberation Serif");
    if (n == u"courier new") return QStringLiteral("Liberation Mono");
    if (n == u"verdana") return QStringLiteral("DejaVu Sans");
    if (n == u"tahoma") return QStringLiteral("Tahoma");
    return name;
}

QFont makeFont(const QString& name, double points, bool bold, bool italic) {
    ensureFonts();
    QFont f(fontFamilyFor(name));
    f.setPointSizeF(points > 0 ? points : kDefaultFontSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::PreferMatch);
    return f;
}

} // namespace quva::forms
