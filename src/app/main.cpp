// The editor program "zov".
#include "app/EditorMain.h"
#include "app/ErrorReport.h"
#include "preview/PdfOutput.h"

int main(int argc, char** argv) {
    zov::TZovApplication application(argc, argv);
    // The PDF writer is looked for once, in the program's own folder.
    zov::TPdfLibrary::Program(QCoreApplication::applicationDirPath());
    return zov::RunEditor(QApplication::arguments().mid(1));
}
