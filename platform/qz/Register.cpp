#include "forms/Form.h"
#include "qz/QZ.h"

namespace quva::qz {

void registerControls() {
    using forms::registerControlClass;
    registerControlClass(QStringLiteral("QZ.QZCommandButton"), [] { return new QZCommandButton; });
    registerControlClass(QStringLiteral("QZ.QZTextBox"), [] { return new QZTextBox; });
    registerControlClass(QStringLiteral("QZ.QZNumberBox"), [] { return new QZNumberBox; });
    registerControlClass(QStringLiteral("QZ.QZMemoBox"), [] { return new QZMemoBox; });
    registerControlClass(QStringLiteral("QZ.QZFind"), [] { return new QZFind; });
    registerControlClass(QStringLiteral("QZ.QZComboBox"), [] { return new QZComboBox; });
    registerControlClass(QStringLiteral("QZ.QZDTPicker"), [] { return new QZDTPicker; });
    registerControlClass(QStringLiteral("QZ.QZPeriod"), [] { return new QZPeriod; });
    registerControlClass(QStringLiteral("QZ.QZNavigationBar"), [] { return new QZNavigationBar; });
    registerControlClass(QStringLiteral("QZ.QZTheme"), [] { return new QZTheme; });
}

namespace {
// Creatable as soon as the library is loaded.
const bool registered = (registerControls(), true);
} // namespace

} // namespace quva::qz
