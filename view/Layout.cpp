#include "view/Layout.h"

#include "game/GameState.h"
#include "game/MainWindowControls.h"
#include "platform/Screen.h"
#include "view/BallColor.h"
#include "view/BallMarks.h"

namespace qv {

void DrawInnerGridLines() {
    vb::Picture& board = MainControls().Picture1();
    board.SetDrawWidth(1);
    for (int k = 1; k <= BoardHeight; ++k)
        board.Line(0, k, 9, k);
    for (int k = 1; k <= BoardWidth; ++k)
        board.Line(k, 0, k, 9);
}

void DrawBallsAndPreview() {
    vb::Picture& board = MainControls().Picture1();
    vb::Picture& preview = MainControls().Picture2();
    const Integer enlarged = vb::CInt(BallSize * 1.2);
    for (int y = 1; y <= BoardHeight; ++y) {
        for (int x = 1; x <= BoardWidth; ++x) {
            if (Board(x, y) > 0) {
                board.SetDrawWidth(BallSize);
                if (BallSelected && x == SelectedX && y == SelectedY)
                    board.SetDrawWidth(enlarged);
                PSetBall(board, x - 0.5, y - 0.5, BallColor(Board(x, y)));
            }
        }
    }

    preview.Cls();
    for (int i = 0; i <= 2; ++i) {
        if (NextBalls[i] > 0) {
            preview.SetDrawWidth(vb::CInt(0.8 * BallSize));
            PSetBall(preview, PreviewPoints[i].x, PreviewPoints[i].y, BallColor(NextBalls[i]));
        }
    }
}

void LayoutMainWindow() {
    MainWindowControls& main = MainControls();
    vb::Window& window = main.Window();
    if (window.Minimized())
        return;

    // The window follows the screen's height: 5 : 4, centred.
    const Single SH = vb::ScreenHeight();
    const Single SW = vb::ScreenWidth();
    window.SetHeight(SH / Zoom);
    window.SetWidth(SH * 1.25f / Zoom);
    window.SetTop((SH - window.Height()) / 2);
    window.SetLeft((SW - window.Width()) / 2);

    vb::Picture& board = main.Picture1();
    board.SetHeight(0.81f * window.Height());
    board.SetWidth(0.81f * window.Height());
    board.SetTop(0.01f * window.Height());
    board.SetLeft(0.01f * window.Width());

    board.Scale(0, 0, BoardWidth, BoardHeight);

    board.SetForeColor(GridLineColor);
    DrawInnerGridLines();

    for (vb::Control* control : main.Controls()) {
        switch (control->Kind()) {
            case vb::ControlKind::TextBox:
            case vb::ControlKind::Label:
                control->SetHeight(450 / Zoom);
                control->SetFontSize(18 / Zoom);
                break;
            case vb::ControlKind::CommandButton:
                control->SetHeight(1500 / Zoom);
                control->SetFontSize(18 / Zoom);
                break;
            default:
                break;
        }
    }

    // The panel right of the board: two columns of width A.
    const Single A = (window.Width() - board.Width() - board.Left()) / 2;
    const Single B = board.Width() + board.Left();
    const Single C = board.Height() + board.Top();
    const Single T = board.Top();

    auto place = [](vb::Control& c, Single width, Single left, Single top) {
        c.SetWidth(width);
        c.SetLeft(left);
        c.SetTop(top);
    };
    vb::TextControl& label0 = main.Label1(0);
    vb::TextControl& name0 = main.Text1(0);
    vb::TextControl& name1 = main.Text1(1);
    vb::TextControl& result0 = main.Text2(0);
    vb::TextControl& result1 = main.Text2(1);
    vb::TextControl& moves = main.Text3();
    vb::Control& quit = main.Command1(1);
    vb::TextControl& message = main.txtMess();
    vb::Picture& preview = main.Picture2();

    place(label0, A, B, T);
    place(main.Label1(1), A, B + label0.Width(), T);
    place(main.Label2(), A, B,
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

    preview.Scale(0, 0, 4, 4);
    PreviewPoints = {PointI{1, 2}, PointI{2, 2}, PointI{3, 2}};

    // A ball fills as much of its cell on every screen as on a screen 768 pixels high, for which
    // the game was drawn.
    const double rows = SH / vb::TwipsPerPixelY();
    BallSize = vb::CInt(6 * board.ScaleWidth() / Zoom * rows / 768);
    // On other screens the selected ball, and the dot that erases it as it moves, stay inside its
    // cell: they leave the grid lines and the board's top border whole.
    if (rows != 768) {
        const int widest = board.WidestDotInCells(BoardWidth, BoardHeight);
        while (BallSize > 1 && vb::CInt(BallSize * 1.2) > widest)
            --BallSize;
    }

    DrawBallsAndPreview();
}

}  // namespace qv
