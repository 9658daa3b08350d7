#include "app/EditorMain.h"

#include "app/MainForm.h"
#include "localization/DlgTexte.h"
#include "settings/ZOVUtil.h"

#include <QApplication>

namespace zov {

int RunEditor(const QStringList& arguments) {
    const TCatalogueFolders folders{ProgramDir(), UserConfigDir()};
    DlgTexte.SetFolders(folders);
    OpenSettings(folders);
    int exitCode = 0;
    {
        TMainForm frame;
        frame.show();
        if (frame.FormShow(arguments) == srRun) {
            exitCode = QApplication::exec();
        }
    }
    FinishSettings();
    DlgTexte.Flush();
    return exitCode;
}

} // namespace zov
