#include "app/yield/result_window_common.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "app/widgets/named_button.h"
#include "app/yield/mdiform_allview.h"
#include "core/text/file_errors.h"
#include "core/text/text_compare.h"
#include "render/bmp_file.h"
#include "render/image_canvas.h"

namespace mk::app {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

ResultSidePanel BuildResultSidePanel(QWidget* window, QWidget* optionFrame) {
    ResultSidePanel p;
    p.label1 = MakeLabel(window, "Label1");
    p.label2 = MakeLabel(window, "Label2");
    p.label3 = MakeLabel(window, "Label3");
    p.label5 = MakeLabel(window, "Label5");
    p.label5->setAlignment(Qt::AlignCenter);
    p.back = MakeButton(window, "Command_Back", QStringLiteral("<<"));
    p.next = MakeButton(window, "Command_Next", QStringLiteral(">>"));
    p.save = MakeButton(window, "Command_PictSave", QStringLiteral("画像を保存"));
    p.allDsp = MakeButton(window, "Command_ALLDSP", QStringLiteral("全画像表示"));
    p.csv = MakeButton(window, "Command_CsvSave", QStringLiteral("CSV保存"));
    p.pdf = MakeButton(window, "Command_PdfOut", QStringLiteral("PDF出力"));
    p.print = MakeButton(window, "Command_Print", QStringLiteral("印刷"));
    p.ok = MakeButton(window, "OKButton", QStringLiteral("終了"));

    p.layout = new QVBoxLayout();
    p.layout->addWidget(p.label1);
    p.layout->addWidget(p.label2);
    p.layout->addWidget(p.label3);
    p.layout->addWidget(optionFrame);
    p.layout->addSpacing(16);
    p.layout->addWidget(p.label5);
    auto* paging = new QHBoxLayout();
    paging->addWidget(p.back);
    paging->addWidget(p.next);
    p.layout->addLayout(paging);
    p.layout->addWidget(p.save);
    p.layout->addWidget(p.allDsp);
    p.layout->addSpacing(8);
    p.layout->addWidget(p.csv);
    p.layout->addWidget(p.pdf);
    p.layout->addWidget(p.print);
    p.layout->addStretch();
    p.layout->addWidget(p.ok);
    return p;
}

bool ExportAllViewImages(AppContext& context, const ImageCanvas& diagram, ImageCanvas& scratch,
                         const std::function<void(ImageCanvas&, int kind)>& drawGraph,
                         const QString& firstTitle) {
    AllViewData& view = context.allView;
    // A folder of the program's own, not the current one: a file of the
    // user's named like the images is never overwritten and then deleted,
    // and the folder goes when the view closes or the program ends.
    auto folder = std::make_shared<QTemporaryDir>();
    if (!folder->isValid()) {
        ReportWriteFailure(context.messages(), folder->path().toStdString());
        return false;
    }
    for (int i = 0; i <= 5; ++i) {
        view.AllViewImageFiles[i] =
            folder->filePath(QStringLiteral("_TmpBmp%1.bmp").arg(i, 2, 10, QLatin1Char('0')));
    }
    // Images already written go with their folder when one cannot be.
    if (!SaveBmp(diagram, view.AllViewImageFiles[0].toStdString(), context.messages()))
        return false;
    for (int kind = 1; kind <= 5; ++kind) {
        scratch.Clear();
        drawGraph(scratch, kind);
        if (!SaveBmp(scratch, view.AllViewImageFiles[kind].toStdString(), context.messages()))
            return false;
    }
    view.AllViewImageTitles = {firstTitle,
                               QStringLiteral("林齢－上層樹高"),
                               QStringLiteral("林齢－平均胸高直径"),
                               QStringLiteral("林齢－幹材積"),
                               QStringLiteral("林齢－収量比数"),
                               QStringLiteral("林齢－形状比")};
    view.AllViewFolder = std::move(folder);
    return true;
}

void OpenAllImageView(AppContext& context, QWidget* owner,
                      const std::function<bool()>& exportImages) {
    if (context.flags.AllImageViewOpen == -1) {
        context.messages().Show(
            "現在オープン中の全画像表示ウィンドウを閉じてから実行してください。", "実行エラー",
            MessageIcon::Error);
        return;
    }
    if (!exportImages()) return;
    auto* view = new MDIForm_ALLVIEW(context, owner);
    view->show();
}

}  // namespace mk::app
