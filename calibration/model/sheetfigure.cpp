#include "sheetfigure.h"

#include "cp932.h"
#include "dots.h"
#include "sheetgeometry.h"
#include "tprintercanvas.h"

namespace calibration::model {

const std::vector<SheetStep>& SheetFigure()
{
    using S = SheetStep;
    using G = SheetGeometry;
    // The lines that meet at the cross mark and their arrowheads point at it;
    // the dimension lines run along the rectangle, 7 mm out.
    constexpr int cx = G::CrossX;
    constexpr int cy = G::CrossY;
    constexpr int below = G::Bottom + 7;
    constexpr int beside = G::Right + 7;
    static const std::vector<SheetStep> figure = {
        {S::ThickPen, {}},
        {S::Rectangle, {{G::Left, G::Top}, {G::Right, G::Bottom}}},
        {S::ThinPen, {}},
        {S::FontSize, {}, 14},
        {S::Text, {{20, 250}}, 14, "誤差測定用紙（未調整）", "テスト印刷（調整適用済み）"},
        {S::Text,
         {{20, 260}},
         14,
         "　プリンタの特性による印刷ずれを確認します。",
         "　X,Y,A,Bそれぞれの長さが、指定通りに印字されていることを確認して"},
        {S::Text,
         {{20, 268}},
         14,
         "　X,Y,A,Bそれぞれの実際の長さを定規などで測定して入力してください。",
         "　「設定完了」ボタンをクリックしてください。"},
        {S::Text, {{94, 60}}, 12, "↑", "↑"},
        {S::Text, {{60, 65}}, 12, "Ｂ:用紙の上端からの", "Ｂ:用紙の上端からの"},
        {S::Text, {{70, 69}}, 12, "　 距離(約150mm)", "　 距離(150mm)"},
        {S::Text, {{94, 75}}, 12, "↓", "↓"},
        {S::Polyline, {{cx, 2}, {cx, 170}}},
        {S::Polyline, {{cx - 2, cy - 5}, {cx, cy}, {cx + 2, cy - 5}}},
        {S::Text,
         {{18, 144}},
         12,
         "← Ａ：用紙の左端からの距離(約100mm) →",
         "← Ａ：用紙の左端からの距離(100mm) →"},
        {S::Polyline, {{2, cy}, {120, cy}}},
        {S::Polyline, {{cx - 5, cy - 2}, {cx, cy}, {cx - 5, cy + 2}}},
        {S::Text, {{60, 212}}, 12, "← Ｘ：長方形の幅(約150mm) →", "← Ｘ：長方形の幅(150mm) →"},
        {S::Polyline, {{G::Left, below}, {G::Right, below}}},
        {S::Polyline, {{G::Left + 5, below - 2}, {G::Left, below}, {G::Left + 5, below + 2}}},
        {S::Polyline, {{G::Right - 5, below - 2}, {G::Right, below}, {G::Right - 5, below + 2}}},
        {S::Text, {{168, 105}}, 12, "↑", "↑"},
        {S::Text, {{169, 110}}, 12, "Ｙ:長方形の", "Ｙ:長方形の"},
        {S::Text, {{169, 114}}, 12, "　 高さ(約200mm)", "　 高さ(200mm)"},
        {S::Text, {{168, 119}}, 12, "↓", "↓"},
        {S::Polyline, {{beside, G::Top}, {beside, G::Bottom}}},
        {S::Polyline, {{beside - 2, G::Top + 5}, {beside, G::Top}, {beside + 2, G::Top + 5}}},
        {S::Polyline,
         {{beside - 2, G::Bottom - 5}, {beside, G::Bottom}, {beside + 2, G::Bottom - 5}}},
    };
    return figure;
}

void DrawSheetFigure(surface::TPrinterCanvas& canvas, std::int32_t dpiX, const PointMapping& mapX,
                     const PointMapping& mapY, bool testPrint)
{
    for (const SheetStep& step : SheetFigure()) {
        switch (step.What) {
        case SheetStep::ThickPen:
            canvas.Pen().SetWidth(core::LengthDots(dpiX, 0.2L));
            break;
        case SheetStep::ThinPen:
            canvas.Pen().SetWidth(core::LengthDots(dpiX, 0.07L));
            break;
        case SheetStep::FontSize:
            canvas.Font().SetSize(step.Size);
            break;
        case SheetStep::Rectangle:
            canvas.DrawRectangle(mapX(step.Points[0].first), mapY(step.Points[0].second),
                                 mapX(step.Points[1].first), mapY(step.Points[1].second));
            break;
        case SheetStep::Text:
            // The heading block shares the size set before it; every later
            // label sets its own.
            if (step.Size == 12)
                canvas.Font().SetSize(12);
            canvas.PutText(mapX(step.Points[0].first), mapY(step.Points[0].second),
                           core::EncodeCp932(testPrint ? step.TestText : step.SheetText));
            break;
        case SheetStep::Polyline:
            canvas.MovePenTo(mapX(step.Points[0].first), mapY(step.Points[0].second));
            for (std::size_t i = 1; i < step.Points.size(); ++i)
                canvas.DrawLineTo(mapX(step.Points[i].first), mapY(step.Points[i].second));
            break;
        }
    }
}

} // namespace calibration::model
