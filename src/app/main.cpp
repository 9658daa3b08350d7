// The editor program "zov".
#include "app/EditorMain.h"
#include "app/ErrorReport.h"

int main(int argc, char** argv) {
    zov::TZovApplication application(argc, argv);
    return zov::RunEditor(QApplication::arguments().mid(1));
}
