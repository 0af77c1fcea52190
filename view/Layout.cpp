#include "view/Layout.h"

#include "game/GameState.h"
#include "game/MainWindowControls.h"
#include "platform/Screen.h"
#include "view/BallColor.h"
#include "view/BallMarks.h"

namespace qv {

void DrawInnerGridLines() {
    platform::CanvasControl& board = MainControls().BoardPicture();
    board.SetPenWidth(1);
    for (int k = 1; k <= BoardHeight; ++k)
        board.DrawLine(0, k, 9, k);
    for (int k = 1; k <= BoardWidth; ++k)
        board.DrawLine(k, 0, k, 9);
}

void DrawBallsAndPreview() {
    platform::CanvasControl& board = MainControls().BoardPicture();
    platform::CanvasControl& preview = MainControls().PreviewPicture();
    const std::int16_t enlarged = platform::RoundToInt16(BallSize * 1.2);
    for (int y = 1; y <= BoardHeight; ++y) {
        for (int x = 1; x <= BoardWidth; ++x) {
            if (Board(x, y) > 0) {
                board.SetPenWidth(BallSize);
                if (BallSelected && x == SelectedX && y == SelectedY)
                    board.SetPenWidth(enlarged);
                DrawBallDot(board, x - 0.5, y - 0.5, BallColor(Board(x, y)));
            }
        }
    }

    preview.Clear();
    for (int i = 0; i <= 2; ++i) {
        if (NextBalls[i] > 0) {
            preview.SetPenWidth(platform::RoundToInt16(0.8 * BallSize));
            DrawBallDot(preview, PreviewPoints[i].x, PreviewPoints[i].y, BallColor(NextBalls[i]));
        }
    }
}

void LayoutMainWindow() {
    MainWindowControls& main = MainControls();
    platform::Window& window = main.Window();
    if (window.Minimized())
        return;

    // The window follows the screen's height: 5 : 4, centred.
    const float SH = platform::ScreenHeightTwips();
    const float SW = platform::ScreenWidthTwips();
    window.SetHeight(SH / Zoom);
    window.SetWidth(SH * 1.25f / Zoom);
    window.SetTop((SH - window.Height()) / 2);
    window.SetLeft((SW - window.Width()) / 2);

    platform::CanvasControl& board = main.BoardPicture();
    board.SetHeight(0.81f * window.Height());
    board.SetWidth(0.81f * window.Height());
    board.SetTop(0.01f * window.Height());
    board.SetLeft(0.01f * window.Width());

    board.SetUserScale(0, 0, BoardWidth, BoardHeight);

    board.SetPenColor(GridLineColor);
    DrawInnerGridLines();

    for (platform::Control* control : main.Controls()) {
        switch (control->Kind()) {
            case platform::ControlKind::Text:
            case platform::ControlKind::Label:
                control->SetHeight(450 / Zoom);
                control->SetFontSize(18 / Zoom);
                break;
            case platform::ControlKind::Button:
                control->SetHeight(1500 / Zoom);
                control->SetFontSize(18 / Zoom);
                break;
            default:
                break;
        }
    }

    // The panel right of the board: two columns of width A.
    const float A = (window.Width() - board.Width() - board.Left()) / 2;
    const float B = board.Width() + board.Left();
    const float C = board.Height() + board.Top();
    const float T = board.Top();

    auto place = [](platform::Control& c, float width, float left, float top) {
        c.SetWidth(width);
        c.SetLeft(left);
        c.SetTop(top);
    };
    platform::TextControl& label0 = main.HeadingLabel(0);
    platform::TextControl& name0 = main.NameBox(0);
    platform::TextControl& name1 = main.NameBox(1);
    platform::TextControl& result0 = main.ResultBox(0);
    platform::TextControl& result1 = main.ResultBox(1);
    platform::TextControl& moves = main.MovesBox();
    platform::Control& quit = main.QuitButton();
    platform::TextControl& message = main.MessagePanel();
    platform::CanvasControl& preview = main.PreviewPicture();

    place(label0, A, B, T);
    place(main.HeadingLabel(1), A, B + label0.Width(), T);
    place(main.MovesLabel(), A, B,
          T + label0.Height() + name0.Height() + result0.Height() + 150 / Zoom);
    place(name0, A, B, T + label0.Height());
    place(name1, A, B + name0.Width(), T + label0.Height());
    place(result0, A, B, T + label0.Height() + name0.Height());
    place(result1, A, B + name0.Width(), T + label0.Height() + name1.Height());
    place(moves, A, B + name0.Width(),
          T + label0.Height() + name1.Height() + result1.Height() + 100 / Zoom);
    place(quit, 1.6f * A, B + 0.2f * A, C - quit.Height());
    place(message, 2 * A - 15 / Zoom, B + 15 / Zoom, moves.Top() + moves.Height() + 150 / Zoom);
    message.SetHeight((quit.Top() - message.Top()) / 2);
    place(preview, 2 * A - 15 / Zoom, B + 15 / Zoom, message.Top() + message.Height());
    preview.SetHeight(quit.Top() - preview.Top());

    preview.SetUserScale(0, 0, 4, 4);
    PreviewPoints = {CellPos{1, 2}, CellPos{2, 2}, CellPos{3, 2}};

    // A ball fills as much of its cell on every screen as on a screen 768 pixels high, for which
    // the game was drawn.
    const double rows = SH / platform::TwipsPerPixelY();
    BallSize = platform::RoundToInt16(6 * board.UserWidth() / Zoom * rows / 768);
    // On other screens the selected ball, and the dot that erases it as it moves, stay inside its
    // cell: they leave the grid lines and the board's top border whole.
    if (rows != 768) {
        const int widest = board.WidestDotInCells(BoardWidth, BoardHeight);
        while (BallSize > 1 && platform::RoundToInt16(BallSize * 1.2) > widest)
            --BallSize;
    }

    DrawBallsAndPreview();
}

}  // namespace qv
