// The main view's "Open Script" entry.
#include "MainView.h"

#include "ScriptFiles.h"
#include "SettingsMenu.h"
#include "UiTexts.h"

#include <QFileDialog>

namespace zyne::ui {

void MainView::openScript() {
    m_menu->hide();
    const QString path = QFileDialog::getOpenFileName(
        this, MainViewText::tr("Open Script"), QStringLiteral("/"), QStringLiteral("C++ files(*.ini)"));
    if (!path.isEmpty())
        openScriptFile(path);
}

void MainView::openScriptFile(const QString& path) {
    const std::optional<ScriptText> script = readScriptFile(path);
    if (!script || script->frames.isEmpty())
        return;
    emit testSendFileData(script->frames, script->frequency);
}

} // namespace zyne::ui
