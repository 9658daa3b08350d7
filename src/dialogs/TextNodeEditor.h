#pragma once

#include "graph/model/GraphObjectList.h"

#include <QDialog>
#include <QHash>
#include <memory>

class QAction;
class QTextCharFormat;
class QTextListFormat;

namespace Ui {
class TTextNodeP;
}

namespace zov {

class TFindDialog;
class TGraphDocument;
class TTextNode;
enum TRulerMarker : uint8_t;

// The editor of a text node's rich text: a text control with tool bars for fonts,
// colours, alignment, lists, indents, line spacing, find, undo, pictures and tables,
// and a ruler with the paragraph's indents. OK stores the text as RTF in the node
// and draws it into the node's picture; Cancel changes nothing but the node's plain
// caption, which the editor always clears.
class TTextNodeP : public QDialog {
    Q_OBJECT

public:
    // Edits item 0 of nodes, a text node; true when closed with OK and applied.
    static bool Execute(const TGraphObjectList& nodes, QWidget* owner);

    explicit TTextNodeP(QWidget* parent = nullptr);
    ~TTextNodeP() override;

    // Loads node's content and sizes the window for it.
    void Load(TTextNode& node);
    // Writes the edited text into the node's content and picture, in one update of
    // its graph. False (after telling the user) when the picture cannot be drawn;
    // the content is stored all the same.
    bool ApplyToNodes();

    QAction* Action(const char* name) const;
    // Brings the tools in line with the text at the cursor.
    void RefreshTools();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void InitCaption();
    void CreateActions();
    void ArrangeToolBars();
    void ConnectTools();

    // Character formatting, applied to the selection or, without one, to what is
    // typed next.
    void MergeCharFormat(const QTextCharFormat& format);
    void ToggleBold();
    void ToggleItalic();
    void ToggleUnderline();
    void ToggleStrikeOut();
    void FontNameChanged();
    void FontSizeChanged();
    void FontColorChanged();
    void BackgroundColorChanged();

    // Paragraph formatting of the paragraphs the selection touches.
    void SetAlignment(Qt::Alignment alignment);
    void SetLineSpacing(int percent);
    void ToggleList(QAction* action, int style);
    void IndentLeft();
    void IndentRight();
    void RulerDropped(TRulerMarker marker);

    void Undo();
    void Find();
    void InsertPicture();
    void InsertTable();

    std::unique_ptr<Ui::TTextNodeP> fUi;
    QHash<QString, QAction*> fActions;
    TFindDialog* fFind = nullptr;
    TTextNode* fNode = nullptr;
    bool fUpdating = false; // the tools are being refreshed: their changes do nothing
};

} // namespace zov
