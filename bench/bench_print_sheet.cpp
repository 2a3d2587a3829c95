// The sheet S-21 11/23 on the largest data set (909 publishers):
// - a pair measured in one run: the 909 pages drawn into one PDF by the
//   program's own code (the card document over a QtSurface on a QPdfWriter)
//   against the same drawing operations put straight onto a QPdfWriter with
//   QPainter (recorded once beforehand, so the baseline does no work of the
//   program's); the program should stay within 10% of the baseline;
// - one page into the two preview panes, and into a recording like the
//   print preview's (own work at most 50 ms).

#include <benchmark/benchmark.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <filesystem>
#include <string>
#include <vector>

#include "app/CardPlan.h"
#include "app/Language.h"
#include "data/CongregationData.h"
#include "preview/SheetPreview.h"
#include "printing/CardDocument.h"
#include "printing/RecordingSurface.h"
#include "printing/qt/QtSurface.h"
#include "printing/qt/QtTextMeasure.h"
#include "support/DemoData.h"
#include "support/LoadedCongregation.h"
#include "support/TempFolder.h"
#include "toolkit/QtText.h"

namespace {

using namespace morvind;

// The 909 sheets as morvind-print --all --form 11/23 plans them.
struct Sheets {
  bench::LoadedFullCongregation congregation;
  std::vector<CardRequest> requests;
  Sheets() {
    PrintWishes wishes;
    wishes.form = RecordForm::kSheet1123;
    const CardRequest base = congregation.BaseRequest(wishes);
    for (int p = 1; p < congregation.data.table.Count(); ++p)
      requests.push_back(
          PlanCardRequest(congregation.data, p, base, test::FullDataSetFolder().Folder()));
  }
};

const Sheets& TheSheets() {
  static const Sheets sheets;
  return sheets;
}

void SetUpWriter(QPdfWriter& writer) {
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setResolution(1200);
}

// The operations of the 909 pages, in Qt's terms, ready to be drawn.
struct Replay {
  struct Op {
    bool isText = false;
    bool newPage = false;
    QString text;
    int font = 0;
    int align = 0;
    bool clipped = false;
    QRect clip;
    QPoint from, to;
    int penWidth = 1;
  };
  std::vector<QFont> fonts;
  std::vector<Op> ops;

  explicit Replay(const std::vector<CardRequest>& requests) {
    RecordingSurface surface(1200, 1200);
    surface.SetTextMeasure(QtFontTextMeasure());
    DrawCardDocument(surface, requests);
    std::vector<FontRecord> records;
    for (const RecordedOp& recorded : surface.Ops()) {
      Op op;
      if (recorded.kind == RecordedOp::Kind::kStartPage) {
        op.newPage = true;
      } else if (recorded.kind == RecordedOp::Kind::kLine) {
        op.from = QPoint(recorded.x, recorded.y);
        op.to = QPoint(recorded.x2, recorded.y2);
        op.penWidth = std::max(1, recorded.penWidth);
      } else if (recorded.kind == RecordedOp::Kind::kText) {
        op.isText = true;
        op.text = ToQt(recorded.text);
        op.align = recorded.align;
        op.clipped = recorded.clipped;
        op.clip =
            QRect(recorded.clip.left, recorded.clip.top, recorded.clip.right - recorded.clip.left,
                  recorded.clip.bottom - recorded.clip.top);
        op.from = QPoint(recorded.x, recorded.y);
        auto found = std::find(records.begin(), records.end(), recorded.font);
        op.font = static_cast<int>(found - records.begin());
        if (found == records.end()) {
          records.push_back(recorded.font);
          fonts.push_back(QtSurface::ToQtFont(recorded.font));
        }
      } else {
        continue;
      }
      ops.push_back(std::move(op));
    }
  }

  // Straight QPainter calls: the font, the pen, the text at its baseline
  // (moved left by its width for right and centred alignment), clipped
  // where the page clips it; lines with their pen.
  void DrawOnto(QPdfWriter& writer) const {
    QPainter painter(&writer);
    bool first = true;
    for (const Op& op : ops) {
      if (op.newPage) {
        if (!first) writer.newPage();
        first = false;
      } else if (op.isText) {
        const QFont& font = fonts[static_cast<std::size_t>(op.font)];
        QFontMetricsF metrics(font, &writer);
        qreal left = op.from.x();
        if ((op.align & 6) == 6) left -= metrics.horizontalAdvance(op.text) / 2;
        if ((op.align & 6) == 2) left -= metrics.horizontalAdvance(op.text);
        painter.setFont(font);
        painter.setPen(Qt::black);
        if (op.clipped) painter.setClipRect(op.clip);
        painter.drawText(QPointF(left, op.from.y() + metrics.ascent()), op.text);
        if (op.clipped) painter.setClipping(false);
      } else {
        painter.setPen(QPen(Qt::black, op.penWidth));
        painter.drawLine(op.from, op.to);
      }
    }
  }
};

// Both halves of the pair start from the same process state: the replay is
// recorded before either runs. (glibc raises its threshold for giving
// memory back to the system when a large block is freed, so a setup that
// only one half did would decide the comparison.)
const Replay& TheReplay() {
  static const Replay replay(TheSheets().requests);
  return replay;
}

void BM_SheetsIntoPdf_Program(benchmark::State& state) {
  const Sheets& sheets = TheSheets();
  TheReplay();
  test::TempFolder out("bench-sheets");
  const QString file = QString::fromStdString((out.Path() / "program.pdf").string());
  for (auto _ : state) {
    QPdfWriter writer(file);
    SetUpWriter(writer);
    QPainter painter(&writer);
    QtSurface surface(painter, writer.logicalDpiX(), writer.logicalDpiY(), &writer);
    DrawCardDocument(surface, sheets.requests);
  }
  state.counters["pages"] = static_cast<double>(sheets.requests.size());
  std::error_code error;
  state.counters["bytes"] =
      static_cast<double>(std::filesystem::file_size(out.Path() / "program.pdf", error));
}
BENCHMARK(BM_SheetsIntoPdf_Program)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_SheetsIntoPdf_StraightQPainter(benchmark::State& state) {
  const Replay& replay = TheReplay();
  test::TempFolder out("bench-sheets");
  const QString file = QString::fromStdString((out.Path() / "straight.pdf").string());
  for (auto _ : state) {
    QPdfWriter writer(file);
    SetUpWriter(writer);
    replay.DrawOnto(writer);
  }
  state.counters["ops"] = static_cast<double>(replay.ops.size());
  std::error_code error;
  state.counters["bytes"] =
      static_cast<double>(std::filesystem::file_size(out.Path() / "straight.pdf", error));
}
BENCHMARK(BM_SheetsIntoPdf_StraightQPainter)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

// The two panes of the window as large as the offscreen window makes them.
void BM_OneSheetIntoBothPanes(benchmark::State& state) {
  const CardRequest& request = TheSheets().requests.front();
  QImage header(550, 85, QImage::Format_RGB32), table(525, 216, QImage::Format_RGB32);
  for (auto _ : state) {
    for (QImage* pane : {&header, &table}) {
      QPainter painter(pane);
      QtSurface surface(painter, 96, 96);
      if (pane == &header) {
        DrawSheetHeaderPreview(0, 0, pane->width(), pane->height(), surface, request);
      } else {
        DrawSheetTablePreview(0, 0, pane->width(), pane->height(), surface, request);
      }
    }
  }
}
BENCHMARK(BM_OneSheetIntoBothPanes)->Unit(benchmark::kMillisecond);

// The print preview records each page as a picture at the printer's
// resolution; this is the drawing it asks of the program for one page.
void BM_OneSheetIntoPrintPreviewPicture(benchmark::State& state) {
  const CardRequest& request = TheSheets().requests.front();
  for (auto _ : state) {
    QPicture picture;
    QPainter painter(&picture);
    QtSurface surface(painter, 1200, 1200, nullptr);
    DrawCardDocument(surface, {request});
  }
}
BENCHMARK(BM_OneSheetIntoPrintPreviewPicture)->Unit(benchmark::kMillisecond);

}  // namespace
