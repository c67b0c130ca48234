// "excel.application": the spreadsheet program's automation, as far as the
// exports use it. One Session stands behind an application object and every
// object reached from it; when the last of them is released the workbook is
// written and opened in the desktop spreadsheet program (Program.h).
//
// AutoFormat(Format, Number, Font, Alignment, Border, Pattern, Width) on one
// cell: Format must be 11, the banded list; each further argument says
// whether that part of the list format is applied (left off = yes, Empty or
// 0 = no):
//   Number     the cell's number format goes back to its value's own
//              ("General", dates "dd/mm/yyyy", currency "#,##0.00");
//   Font       the workbook's default font, not bold;
//   Alignment  horizontal alignment general, text at the top of the cell;
//   Border     a thin grey line under the cell;
//   Pattern    a pale band on even rows, none on odd rows;
//   Width      the column's width fits its contents when the file is written.
//
// QUVA_PLANILHA_REGISTRO names a file that receives one line per call.

#include "spreadsheet/ProgressWindow.h"
#include "spreadsheet/Program.h"
#include "spreadsheet/Sheet.h"

#include "automation/Server.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTextStream>

#include <atomic>
#include <memory>
#include <span>

namespace quva::spreadsheet {

namespace {

using rt::CallKind;
using rt::DispId;
using rt::Variant;
using Args = std::span<Variant>;
using Names = std::span<const QLatin1StringView>;

inline constexpr int kAutoFormatList2 = 11;

QString render(const Variant& v) {
    switch (v.type()) {
    case rt::VarType::Empty: return QStringLiteral("Empty");
    case rt::VarType::Null: return QStringLiteral("Null");
    case rt::VarType::Error: return QStringLiteral("Missing");
    case rt::VarType::Object: return QStringLiteral("Object");
    case rt::VarType::Boolean: return v.rawBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case rt::VarType::String: {
        QString s = v.rawString();
        s.replace(u'\\', QStringLiteral("\\\\")).replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n"));
        return u'"' + s + u'"';
    }
    case rt::VarType::Currency: {
        const std::int64_t raw = v.rawCurrency().raw;
        const quint64 a = raw < 0 ? quint64(0) - quint64(raw) : quint64(raw);
        return QStringLiteral("Currency %1%2.%3")
            .arg(raw < 0 ? QStringLiteral("-") : QString())
            .arg(a / 10000)
            .arg(a % 10000, 4, 10, QLatin1Char('0'));
    }
    case rt::VarType::Date: return QStringLiteral("Date ") + rt::formatDate(v.rawDate());
    case rt::VarType::Integer: return QStringLiteral("Integer %1").arg(v.rawInteger());
    case rt::VarType::Long: return QStringLiteral("Long %1").arg(v.rawLong());
    default: return QStringLiteral("Double %1").arg(v.toDouble(), 0, 'g', 17);
    }
}

QString joined(Args a) {
    QStringList parts;
    for (const Variant& v : a)
        parts << render(v);
    return parts.join(QStringLiteral(", "));
}

QString tempFileName() {
    static std::atomic<int> counter{0};
    return QDir::temp().filePath(QStringLiteral("quva-planilha-%1-%2.xlsx")
                                     .arg(QCoreApplication::applicationPid())
                                     .arg(++counter));
}

class Session {
public:
    explicit Session(Program p) : m_program(std::move(p)) {
        if (qEnvironmentVariableIsSet("QUVA_PLANILHA_REGISTRO")) {
            m_logFile.setFileName(qEnvironmentVariable("QUVA_PLANILHA_REGISTRO"));
            if (m_logFile.open(QIODevice::Append | QIODevice::Text)) m_log.setDevice(&m_logFile);
        }
        log(QStringLiteral("CreateObject excel.application"));
    }

    ~Session() {
        delete m_window.data();
        log(QStringLiteral("Release"));
        m_log.flush();
        if (!m_sheet) return;
        try {
            m_sheet->finish();
        } catch (const rt::RuntimeError& e) {
            qWarning("excel.application: %s", qPrintable(e.description()));
            return;
        }
        if (!openDetached(m_program, m_file))
            qWarning("excel.application: %s could not be started", qPrintable(m_program.executable));
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool logging() const { return m_log.device() != nullptr; }
    void log(const QString& line) {
        if (logging()) m_log << line << '\n';
    }

    // Before every call: keeps the progress window answering, and refuses
    // every call once the clerk interrupted the export.
    void enter() {
        // The clock is read every 64th call only: cells arrive by the million.
        if (m_window && (++m_calls & 63) == 0 && m_window->isVisible() && m_sinceEvents.elapsed() >= 40) {
            m_window->setRows(m_sheet ? m_sheet->rowsWithData() : 0);
            // Back above whatever took the front (the wait form).
            const QWidget* active = QApplication::activeWindow();
            if (active && active != m_window) m_window->raise();
            QCoreApplication::processEvents();
            m_sinceEvents.restart();
        }
        if (m_interrupted) rt::raise(rt::err::SpreadsheetBusy);
    }

    bool hasWorkbook() const { return m_sheet != nullptr; }
    void addWorkbook() {
        if (m_sheet) rt::raise(rt::err::AppObjectError, QStringLiteral("Esta exportação já tem uma pasta de trabalho."));
        m_file = tempFileName();
        m_sheet = std::make_unique<Sheet>(m_file);
    }
    Sheet& sheet() {
        if (!m_sheet) rt::raise(rt::err::AppObjectError, QStringLiteral("Nenhuma pasta de trabalho aberta."));
        return *m_sheet;
    }

    // The sheet and its active cell, handed out again while someone holds
    // them: an export asks for them on every cell.
    std::weak_ptr<rt::IDispatch> worksheet, activeCell;

    bool visible() const { return m_visible; }
    void setVisible(bool v) {
        m_visible = v;
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
        if (v && !m_interrupted) {
            if (!m_window) m_window = new ProgressWindow([this] { m_interrupted = true; });
            m_window->setRows(m_sheet ? m_sheet->rowsWithData() : 0);
            m_window->showCentred();
            m_sinceEvents.start();
        } else if (m_window) {
            m_window->hide();
        }
    }

private:
    Program m_program;
    std::unique_ptr<Sheet> m_sheet;
    QString m_file;
    bool m_visible = false;
    bool m_interrupted = false;
    QPointer<ProgressWindow> m_window;
    QElapsedTimer m_sinceEvents;
    unsigned m_calls = 0;
    QFile m_logFile;
    QTextStream m_log;
};

using SessionPtr = std::shared_ptr<Session>;

bool reads(CallKind k) {
    return k == CallKind::Method || k == CallKind::PropertyGet;
}

void needArgs(Args a, std::size_t n) {
    if (a.size() != n) rt::raise(rt::err::WrongArgumentCount);
}

// Member names are ASCII: letter case folds without Unicode tables, on
// the several lookups every cell costs.
bool sameName(const QString& name, QLatin1StringView member) {
    if (name.size() != member.size()) return false;
    const char16_t* a = reinterpret_cast<const char16_t*>(name.utf16());
    for (qsizetype i = 0; i < member.size(); ++i) {
        const char16_t c = a[i];
        const char16_t m = member[i].unicode();
        if (c != m && (c | 0x20) != (m | 0x20)) return false;
        if (c != m && !((m | 0x20) >= u'a' && (m | 0x20) <= u'z')) return false;
    }
    return true;
}

// Members by number (1, 2, …) from a fixed table, so that the objects made
// for every cell cost one small allocation.
class Node : public rt::IDispatch {
public:
    explicit Node(SessionPtr s) : m_session(std::move(s)) {}

    DispId memberId(const QString& name) const override {
        const Names names = members();
        for (std::size_t i = 0; i < names.size(); ++i)
            if (sameName(name, names[i])) return DispId(i + 1);
        return rt::kUnknownMember;
    }

    Variant invoke(DispId id, CallKind kind, Args args) override {
        m_session->enter();
        if (id == rt::kDefaultMember) id = defaultMember();
        const Names names = members();
        if (id < 1 || std::size_t(id) > names.size()) rt::raise(rt::err::MemberNotSupported);
        if (m_session->logging()) logCall(names[std::size_t(id - 1)], kind, args);
        return call(id, kind, args);
    }

protected:
    virtual Names members() const = 0;
    virtual Variant call(DispId id, CallKind kind, Args args) = 0;
    virtual QString path() const { return typeName(); }
    virtual DispId defaultMember() const { return rt::kUnknownMember; }
    [[noreturn]] static void unsupported() { rt::raise(rt::err::MemberNotSupported); }

    SessionPtr m_session;

private:
    void logCall(QLatin1StringView member, CallKind kind, Args args) {
        QString line = path() + u'.' + member;
        if (kind == CallKind::Method) {
            if (!args.empty()) line += u' ' + joined(args);
        } else if (kind == CallKind::PropertyGet) {
            if (!args.empty()) line += u'(' + joined(args) + u')';
        } else if (!args.empty()) {
            if (args.size() > 1) line += u'(' + joined(args.first(args.size() - 1)) + u')';
            line += QStringLiteral(" = ") + render(args.back());
        }
        m_session->log(line);
    }
};

class FontObject final : public Node {
public:
    FontObject(SessionPtr s, int row, int column) : Node(std::move(s)), m_row(row), m_column(column) {}
    QString typeName() const override { return QStringLiteral("Font"); }

protected:
    Names members() const override {
        static const QLatin1StringView n[]{QLatin1StringView("Name"), QLatin1StringView("Bold")};
        return n;
    }
    QString path() const override { return QStringLiteral("Cells(%1, %2).Font").arg(m_row).arg(m_column); }

    Variant call(DispId id, CallKind kind, Args a) override {
        Sheet& sheet = m_session->sheet();
        if (reads(kind)) {
            needArgs(a, 0);
            const Cell* c = sheet.find(m_row, m_column);
            const Style s = c ? c->style : Style{};
            return id == 1 ? Variant(sheet.fontName(s.font)) : Variant(s.bold);
        }
        if (kind != CallKind::PropertyLet) unsupported();
        needArgs(a, 1);
        if (id == 1) {
            const QString name = a[0].toString();
            if (name.trimmed().isEmpty())
                rt::raise(rt::err::AppObjectError, QStringLiteral("Nome de fonte vazio."));
            const std::int16_t font = sheet.fontIndex(name);
            Cell& c = sheet.cell(m_row, m_column);
            c.style.font = font;
            c.touched = true;
        } else {
            const bool bold = a[0].toBool();
            Cell& c = sheet.cell(m_row, m_column);
            c.style.bold = bold;
            c.touched = true;
        }
        return Variant();
    }

private:
    int m_row, m_column;
};

class WorksheetObject;

class RangeObject final : public Node {
public:
    RangeObject(SessionPtr s, int row, int column) : Node(std::move(s)), m_row(row), m_column(column) {
        Sheet::checkPosition(row, column);
    }
    QString typeName() const override { return QStringLiteral("Range"); }

protected:
    Names members() const override {
        static const QLatin1StringView n[]{
            QLatin1StringView("Value"),     QLatin1StringView("Font"),      QLatin1StringView("NumberFormat"),
            QLatin1StringView("HorizontalAlignment"), QLatin1StringView("AutoFormat"),
            QLatin1StringView("Worksheet"), QLatin1StringView("Row"),       QLatin1StringView("Column")};
        return n;
    }
    QString path() const override { return QStringLiteral("Cells(%1, %2)").arg(m_row).arg(m_column); }
    DispId defaultMember() const override { return 1; }

    Variant call(DispId id, CallKind kind, Args a) override;

private:
    Variant autoFormat(Args a);
    int m_row, m_column;
};

class WorksheetObject final : public Node {
public:
    using Node::Node;
    QString typeName() const override { return QStringLiteral("Worksheet"); }

protected:
    Names members() const override {
        static const QLatin1StringView n[]{QLatin1StringView("Cells"), QLatin1StringView("Name")};
        return n;
    }
    Variant call(DispId id, CallKind kind, Args a) override {
        if (!reads(kind)) unsupported();
        if (id == 2) {
            needArgs(a, 0);
            return Variant(QStringLiteral("Planilha1"));
        }
        needArgs(a, 2);
        m_session->sheet();
        return Variant(rt::Object(std::make_shared<RangeObject>(m_session, a[0].toLong(), a[1].toLong())));
    }
};

template <class T, class... A> Variant shared(std::weak_ptr<rt::IDispatch>& slot, const SessionPtr& s, A... a) {
    rt::Object o = slot.lock();
    if (!o) {
        o = std::make_shared<T>(s, a...);
        slot = o;
    }
    return Variant(o);
}

Variant RangeObject::call(DispId id, CallKind kind, Args a) {
    Sheet& sheet = m_session->sheet();
    if (id == 5) {
        if (kind != CallKind::Method) unsupported();
        return autoFormat(a);
    }
    if (reads(kind)) {
        needArgs(a, 0);
        const Cell* c = (id >= 1 && id <= 4) ? sheet.find(m_row, m_column) : nullptr;
        const Style s = c ? c->style : Style{};
        switch (id) {
        case 1: return c ? c->value() : Variant();
        case 2: return Variant(rt::Object(std::make_shared<FontObject>(m_session, m_row, m_column)));
        case 3: return Variant(sheet.formatCode(s.numberFormat));
        case 4: return Variant(std::int32_t(s.align));
        case 6: return shared<WorksheetObject>(m_session->worksheet, m_session);
        case 7: return Variant(std::int32_t(m_row));
        default: return Variant(std::int32_t(m_column));
        }
    }
    if (kind != CallKind::PropertyLet || id > 4 || id == 2) unsupported();
    needArgs(a, 1);
    if (id == 1) {
        sheet.cell(m_row, m_column).setValue(a[0], sheet);
    } else if (id == 3) {
        const QString code = a[0].toString();
        const std::int16_t f = code.isEmpty() ? 0 : sheet.formatIndex(code);
        Cell& c = sheet.cell(m_row, m_column);
        c.style.numberFormat = f;
        c.touched = true;
    } else {
        const std::int32_t align = a[0].toLong();
        if (align != xlGeneral && align != xlLeft && align != xlCenter && align != xlRight)
            rt::raise(rt::err::AppObjectError,
                      QStringLiteral("Alinhamento horizontal %1 não disponível.").arg(align));
        Cell& c = sheet.cell(m_row, m_column);
        c.style.align = align;
        c.touched = true;
    }
    return Variant();
}

Variant RangeObject::autoFormat(Args a) {
    if (a.size() > 7) rt::raise(rt::err::WrongArgumentCount);
    if (a.empty() || a[0].isMissing() || a[0].toLong() != kAutoFormatList2)
        rt::raise(rt::err::AppObjectError, QStringLiteral("Só o formato automático de lista 11 está disponível."));
    bool part[6];
    for (std::size_t i = 0; i < 6; ++i)
        part[i] = i + 1 >= a.size() || a[i + 1].isMissing() || a[i + 1].toBool();
    const auto [number, font, alignment, border, pattern, width] = part;
    Sheet& sheet = m_session->sheet();
    Cell& c = sheet.cell(m_row, m_column);
    if (number) {
        c.style.numberFormat = c.kind == Cell::Kind::Currency ? sheet.formatIndex(QStringLiteral("#,##0.00"))
                               : c.kind == Cell::Kind::Date   ? sheet.formatIndex(QStringLiteral("dd/mm/yyyy"))
                                                              : 0;
    }
    if (font) {
        c.style.font = -1;
        c.style.bold = false;
    }
    if (alignment) {
        c.style.align = xlGeneral;
        c.style.top = true;
    }
    if (border) c.style.border = true;
    if (pattern) c.style.fill = m_row % 2 == 0;
    c.touched = true;
    if (width) sheet.fitColumn(m_column);
    return Variant();
}

class WorkbookObject final : public Node {
public:
    using Node::Node;
    QString typeName() const override { return QStringLiteral("Workbook"); }

protected:
    Names members() const override {
        static const QLatin1StringView n[]{QLatin1StringView("ActiveSheet"), QLatin1StringView("Name")};
        return n;
    }
    Variant call(DispId id, CallKind kind, Args a) override {
        if (!reads(kind)) unsupported();
        needArgs(a, 0);
        if (id == 2) return Variant(QStringLiteral("Pasta1"));
        return shared<WorksheetObject>(m_session->worksheet, m_session);
    }
};

class WorkbooksObject final : public Node {
public:
    using Node::Node;
    QString typeName() const override { return QStringLiteral("Workbooks"); }

protected:
    Names members() const override {
        static const QLatin1StringView n[]{QLatin1StringView("Add"), QLatin1StringView("Count")};
        return n;
    }
    Variant call(DispId id, CallKind kind, Args a) override {
        if (!reads(kind)) unsupported();
        if (id == 2) {
            needArgs(a, 0);
            return Variant(std::int32_t(m_session->hasWorkbook() ? 1 : 0));
        }
        if (a.size() > 1) rt::raise(rt::err::WrongArgumentCount);
        if (a.size() == 1 && !a[0].isMissing())
            rt::raise(rt::err::AppObjectError, QStringLiteral("Modelos de pasta de trabalho não estão disponíveis."));
        m_session->addWorkbook();
        return Variant(rt::Object(std::make_shared<WorkbookObject>(m_session)));
    }
};

class ApplicationObject final : public Node {
public:
    using Node::Node;
    QString typeName() const override { return QStringLiteral("Application"); }
    static QStringList memberList() {
        QStringList l;
        for (QLatin1StringView n : names())
            l << QString(n);
        return l;
    }

protected:
    static Names names() {
        static const QLatin1StringView n[]{QLatin1StringView("Workbooks"),   QLatin1StringView("Visible"),
                                           QLatin1StringView("ActiveSheet"), QLatin1StringView("ActiveCell"),
                                           QLatin1StringView("ActiveWorkbook"), QLatin1StringView("Cells")};
        return n;
    }
    Names members() const override { return names(); }

    Variant call(DispId id, CallKind kind, Args a) override {
        if (id == 2 && kind == CallKind::PropertyLet) {
            needArgs(a, 1);
            m_session->setVisible(a[0].toBool());
            return Variant();
        }
        if (!reads(kind)) unsupported();
        if (id == 6) {
            needArgs(a, 2);
            m_session->sheet();
            return Variant(rt::Object(std::make_shared<RangeObject>(m_session, a[0].toLong(), a[1].toLong())));
        }
        needArgs(a, 0);
        const bool open = m_session->hasWorkbook();
        switch (id) {
        case 1: return Variant(rt::Object(std::make_shared<WorkbooksObject>(m_session)));
        case 2: return Variant(m_session->visible());
        case 3: return open ? shared<WorksheetObject>(m_session->worksheet, m_session) : Variant(nullptr);
        case 4: return open ? shared<RangeObject>(m_session->activeCell, m_session, 1, 1) : Variant(nullptr);
        default: return open ? Variant(rt::Object(std::make_shared<WorkbookObject>(m_session))) : Variant(nullptr);
        }
    }
};

const automation::ServerDescription& description() {
    static const automation::ServerDescription d = [] {
        automation::ClassEntry e;
        e.progId = QStringLiteral("excel.application");
        e.clsid = QStringLiteral("{5B0E7C51-3D7A-4C2E-9F1B-6A1D2E8C4F70}");
        e.className = QStringLiteral("Application");
        e.typeLib = QStringLiteral("quva_spreadsheet");
        e.typeLibId = QStringLiteral("{0F4C6A2B-91D3-4E7F-8B25-3C9A7E1D5B64}");
        e.version = QStringLiteral("1.0");
        e.description = QStringLiteral("QUVA - Planilha (exportação para o programa de planilhas)");
        e.interfaceName = QStringLiteral("_Application");
        e.interfaceId = QStringLiteral("{A3E1D7C9-2B4F-4A86-9C3E-5D7B1F0A2E48}");
        e.members = ApplicationObject::memberList();
        auto create = []() -> rt::Object {
            std::optional<Program> p = spreadsheetProgram();
            if (!p)
                throw rt::RuntimeError(rt::err::CannotCreateObject,
                                       rt::errorDescription(rt::err::CannotCreateObject),
                                       QStringLiteral("excel.application"));
            return std::make_shared<ApplicationObject>(std::make_shared<Session>(std::move(*p)));
        };
        return automation::ServerDescription{{automation::ServerClass{e, create}}};
    }();
    return d;
}

} // namespace

} // namespace quva::spreadsheet

QUVA_AUTOMATION_SERVER(quva::spreadsheet::description)
