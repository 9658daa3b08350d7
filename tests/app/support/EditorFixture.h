#pragma once

#include "app/MDIChild.h"
#include "app/MainForm.h"
#include "support/SettingsFolders.h"

#include <QDir>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>

class QMessageBox;

namespace zov::test {

// Answers the modal windows the code under test opens, one step per window, in order,
// from inside the window's own event loop.
class ModalAnswers {
public:
    using TStep = std::function<void(QWidget& modal)>;

    ModalAnswers();
    void Then(TStep step);
    bool Done() const { return fSteps.empty(); }
    // The object names of the modal windows answered so far.
    const QStringList& Seen() const { return fSeen; }

    // Steps for the common cases.
    static TStep Click(int standardButton);
    static TStep PressEscape();
    static TStep ChooseFile(const QString& path);
    static TStep Cancel();

private:
    void Poll();

    QTimer fTimer;
    std::deque<TStep> fSteps;
    QPointer<QWidget> fLast;
    QStringList fSeen;
};

// The editor in a temporary world: settings, catalogue, desktop folders and working
// directory are temporary folders; the frame is shown on the offscreen screen.
class EditorTest : public SettingsFolders {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new frame, shown, that has run its start-up with these arguments.
    TStartResult Start(const QStringList& arguments = {});
    TMDIChild& Child() const;
    QString WorkPath(const QString& name) const { return fWork.filePath(name); }

    // Mouse input on the graph of a document window, in graph coordinates.
    static void Click(TMDIChild& child, TPoint at);
    static void Drag(TMDIChild& child, TPoint from, TPoint to);
    // Draws a node with the insert action of that name over the rectangle.
    static TGraphNode* DrawNode(TMDIChild& child, const char* action, const TRect& bounds);
    // The graph as zovtool's JSON dump.
    static std::string Dump(TGraphDocument& graph);

    std::unique_ptr<TMainForm> frame;
    ModalAnswers modals;

private:
    QTemporaryDir fWork;
    QString fOldWorkDir;
};

// The editor started without arguments: one document window, NONAME1.ZOV.
class DocumentTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        Start();
        child = &Child();
        graph = &child->Graph();
    }
    QAction* Act(const char* name) const { return child->Action(QLatin1String(name)); }

    TMDIChild* child = nullptr;
    TRaroviRovoz* graph = nullptr;
};

} // namespace zov::test

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{';
    for (const QString& text : list) {
        PrintTo(text, out);
        *out << ' ';
    }
    *out << '}';
}
