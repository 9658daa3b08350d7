#include "dialogs/NodeProperties.h"

#include "dialogs/ClassDisplayName.h"
#include "dialogs/DialogFields.h"
#include "dialogs/MarginDialog.h"
#include "graph/document/GraphDocument.h"
#include "graph/model/GraphNode.h"
#include "graph/model/GraphObjectList.h"
#include "localization/DlgTexte.h"
#include "localization/widgets/FormTranslator.h"
#include "platform/types/Exceptions.h"
#include "platform/types/UpdateBracket.h"
#include "ui_NodeProperties.h"

#include <QFileDialog>
#include <QImageReader>
#include <QLayout>
#include <QMessageBox>
#include <algorithm>

namespace zov {
namespace {

// Positions of the alignment list.
constexpr TAlignment kAlignments[] = {taLeftJustify, taCenter, taRightJustify};

int AlignmentPosition(TAlignment alignment) {
    return static_cast<int>(std::find(std::begin(kAlignments), std::end(kAlignments), alignment) -
                            std::begin(kAlignments));
}

} // namespace

bool TNodeProperties::Execute(const TGraphObjectList& nodes, QWidget* owner) {
    return ExecuteOnObjects<TNodeProperties>(nodes, owner);
}

TNodeProperties::TNodeProperties(QWidget* parent)
    : TFormDLG(parent), fUi(std::make_unique<Ui::TNodeProperties>()) {
    fUi->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(fUi->btnChangeFont, &QPushButton::clicked, this, &TNodeProperties::btnChangeFontClick);
    connect(fUi->btnChangBkgnd, &QPushButton::clicked, this, &TNodeProperties::btnChangBkgndClick);
    connect(fUi->btnClearBackground, &QPushButton::clicked, this,
            &TNodeProperties::btnClearBackgroundClick);
    connect(fUi->btnBackgroundMargins, &QPushButton::clicked, this,
            &TNodeProperties::btnBackgroundMarginsClick);
    TFormTranslator(DlgTexte, objectName()).TranslateExplicit(*this, kNodePropertiesKeys);
}

TNodeProperties::~TNodeProperties() = default;

QString TNodeProperties::PictureFilter() {
    QStringList patterns{QStringLiteral("*.emf")};
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
    }
    return QStringLiteral("Pictures (%1);;All files (*)").arg(patterns.join(QLatin1Char(' ')));
}

void TNodeProperties::Fill(const std::vector<TGraphObject*>& nodes) {
    N = nodes;
    const auto& first = dynamic_cast<const TGraphNode&>(*N.front());
    Ui::TNodeProperties& ui = *fUi;
    // One item per registered node class; the node's own is chosen only when it is
    // the one node being edited.
    QStringList shapes;
    int shape = -1;
    for (int32_t i = 0; i < TGraphDocument::NodeClassCount(); ++i) {
        const TGraphObjectClass& cls = TGraphDocument::NodeClasses(i);
        shapes.append(ClassDisplayName(cls.Name));
        if (N.size() == 1 && &cls == &first.ClassType()) {
            shape = i;
        }
    }
    ui.NodeShape->SetItems(shapes);
    ui.NodeShape->SetItemIndex(shape);
    ui.cbAlignment->setCurrentIndex(AlignmentPosition(first.Alignment()));
    ui.cbLayout->setCurrentIndex(first.Layout());
    ShowValue(*ui.UpDownMargin, first.Margin());
    ShowCaption(*ui.NodeText, first.Text());
    ui.NodeText->setFont(MemoFont(first.Font()));
    ui.NodeBodyColor->SetColor(first.Brush().Color());
    ui.NodeBorderColor->SetColor(first.Pen().Color());
    ui.FillStyle->setCurrentIndex(first.Brush().Style());
    ui.BorderStyle->setCurrentIndex(first.Pen().Style());
    fFont.Assign(first.Font());
    MarginRect = first.BackgroundMargins();
    ShowObjectOptions(*ui.AllOptions, first.Options());
    for (TGraphNodeOption option : {gnoMovable, gnoResizable, gnoShowBackground}) {
        ShowChecked(*ui.AllOptions, 3 + option, first.NodeOptions().Contains(option));
    }
}

void TNodeProperties::Apply() {
    const Ui::TNodeProperties& ui = *fUi;
    TGraphNodeOptions nodeOptions;
    for (TGraphNodeOption option : {gnoMovable, gnoResizable, gnoShowBackground}) {
        if (IsChecked(*ui.AllOptions, 3 + option)) {
            nodeOptions.Include(option);
        }
    }
    const QString text = EditedCaption(*ui.NodeText);
    const int shape = ui.NodeShape->ItemIndex();
    WithUpdate(DocumentOf(*N.front()), [&] {
        for (TGraphObject*& object : N) {
            auto& node = dynamic_cast<TGraphNode&>(*object);
            if (ui.cbAlignment->currentIndex() >= 0) {
                node.SetAlignment(kAlignments[ui.cbAlignment->currentIndex()]);
            }
            if (ui.cbLayout->currentIndex() >= 0) {
                node.SetLayout(static_cast<TTextLayout>(ui.cbLayout->currentIndex()));
            }
            node.SetMargin(ui.UpDownMargin->value());
            node.SetText(text);
            node.Brush().SetColor(ui.NodeBodyColor->Color());
            node.Pen().SetColor(ui.NodeBorderColor->Color());
            node.Brush().SetStyle(static_cast<TBrushStyle>(ui.FillStyle->currentIndex()));
            node.Pen().SetStyle(static_cast<TPenStyle>(ui.BorderStyle->currentIndex()));
            node.SetFont(fFont);
            switch (Backgnd) {
            case TBackgroundChoice::Load:
                node.SetBackground(fChosenBackground);
                break;
            case TBackgroundChoice::Clear:
                node.Background().Clear();
                break;
            case TBackgroundChoice::Keep:
                break;
            }
            node.SetBackgroundMargins(MarginRect);
            node.SetOptions(CheckedObjectOptions(*ui.AllOptions));
            node.SetNodeOptions(nodeOptions);
            if (shape >= 0) {
                object = node.ConvertTo(&TGraphDocument::NodeClasses(shape));
            }
        }
    });
}

void TNodeProperties::btnChangeFontClick() {
    ChooseFont(this, fFont);
    fUi->NodeText->setFont(MemoFont(fFont));
}

void TNodeProperties::btnChangBkgndClick() {
    QFileDialog chooser(this, QStringLiteral("Select Background"), QString(), PictureFilter());
    chooser.setObjectName(QStringLiteral("BackgroundDialog"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::ExistingFile);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return;
    }
    try {
        fChosenBackground.LoadFromFile(chooser.selectedFiles().constFirst());
        Backgnd = TBackgroundChoice::Load;
    } catch (const Exception& error) {
        QMessageBox box(QMessageBox::Warning, windowTitle(), error.Message(), QMessageBox::Ok,
                        this);
        box.setObjectName(QStringLiteral("PictureError"));
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

void TNodeProperties::btnClearBackgroundClick() {
    Backgnd = TBackgroundChoice::Clear;
}

void TNodeProperties::btnBackgroundMarginsClick() {
    TMarginDialog::Execute(MarginRect, this);
}

} // namespace zov
