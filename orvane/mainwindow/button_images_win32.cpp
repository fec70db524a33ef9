#include "button_images_win32.h"

#include "resource.h"

namespace orvane {
namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 140, 0);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 60, 190);
constexpr COLORREF kDark = RGB(40, 40, 40);
constexpr COLORREF kYellow = RGB(230, 190, 40);

// A small drawing vocabulary: every picture is made of a few of these.
class Painter {
  public:
    explicit Painter(HDC dc) : dc_(dc) {}
    void Polygon(COLORREF colour, std::initializer_list<POINT> points) {
        Use(colour);
        ::Polygon(dc_, points.begin(), static_cast<int>(points.size()));
    }
    void Box(COLORREF colour, int l, int t, int r, int b) {
        Use(colour);
        Rectangle(dc_, l, t, r, b);
    }
    void Frame(COLORREF colour, int l, int t, int r, int b) {
        HBRUSH hollow = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
        Use(colour);
        SelectObject(dc_, hollow);
        Rectangle(dc_, l, t, r, b);
    }
    void Line(COLORREF colour, int width, std::initializer_list<POINT> points) {
        HPEN pen = CreatePen(PS_SOLID, width, colour);
        HGDIOBJ old = SelectObject(dc_, pen);
        Polyline(dc_, points.begin(), static_cast<int>(points.size()));
        SelectObject(dc_, old);
        DeleteObject(pen);
    }
    void Dot(COLORREF colour, int l, int t, int r, int b) {
        Use(colour);
        Ellipse(dc_, l, t, r, b);
    }
    void Letter(COLORREF colour, const char* text) {
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, colour);
        HFONT font = CreateFontA(15, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        HGDIOBJ old = SelectObject(dc_, font);
        RECT r{0, 0, kGlyphSize, kGlyphSize};
        DrawTextA(dc_, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc_, old);
        DeleteObject(font);
    }

  private:
    // The new pen and brush are selected before the old ones go: Windows does not delete an
    // object that is still selected into a device context, so each would leak.
    void Use(COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        HPEN pen = CreatePen(PS_SOLID, 1, colour);
        SelectObject(dc_, brush);
        SelectObject(dc_, pen);
        if (brush_ != nullptr)
            DeleteObject(brush_);
        if (pen_ != nullptr)
            DeleteObject(pen_);
        brush_ = brush;
        pen_ = pen;
    }

  public:
    ~Painter() {
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        SelectObject(dc_, GetStockObject(WHITE_BRUSH));
        if (brush_ != nullptr)
            DeleteObject(brush_);
        if (pen_ != nullptr)
            DeleteObject(pen_);
    }

  private:
    HDC dc_;
    HBRUSH brush_ = nullptr;
    HPEN pen_ = nullptr;
};

void Page(Painter& p) {
    p.Box(RGB(255, 255, 255), 3, 1, 13, 15);
    p.Frame(kDark, 3, 1, 13, 15);
}

void DrawGlyph(Painter& p, int id) {
    switch (id) {
        case IDM_PLAY:
            p.Polygon(kGreen, {{4, 2}, {13, 8}, {4, 14}});
            break;
        case IDM_PLAYLIST:
            p.Polygon(kGreen, {{1, 3}, {7, 8}, {1, 13}});
            for (int y : {3, 7, 11}) p.Box(kDark, 9, y, 15, y + 2);
            break;
        case IDM_STOP:
            p.Box(kRed, 3, 3, 13, 13);
            break;
        case IDM_VISIBLE:
            p.Dot(kDark, 1, 4, 15, 12);
            p.Dot(RGB(255, 255, 255), 3, 5, 13, 11);
            p.Dot(kBlue, 6, 5, 10, 11);
            break;
        case IDM_TOPMOST:
            p.Box(kDark, 2, 2, 14, 4);
            p.Polygon(kBlue, {{8, 5}, {13, 10}, {3, 10}});
            p.Box(kBlue, 6, 10, 10, 14);
            break;
        case IDM_BRINGUP:
            p.Frame(kDark, 1, 2, 15, 14);
            p.Box(kBlue, 1, 2, 15, 5);
            p.Box(kGreen, 5, 7, 11, 12);
            break;
        case IDM_SHUTDOWN:
            p.Line(kRed, 3, {{3, 3}, {13, 13}});
            p.Line(kRed, 3, {{13, 3}, {3, 13}});
            break;
        case IDM_PREV:
            p.Polygon(kBlue, {{8, 3}, {2, 8}, {8, 13}});
            p.Polygon(kBlue, {{14, 3}, {8, 8}, {14, 13}});
            break;
        case IDM_NEXT:
            p.Polygon(kBlue, {{2, 3}, {8, 8}, {2, 13}});
            p.Polygon(kBlue, {{8, 3}, {14, 8}, {8, 13}});
            break;
        case IDM_SHUFFLE:
            p.Line(kBlue, 2, {{1, 4}, {5, 4}, {11, 12}, {14, 12}});
            p.Line(kBlue, 2, {{1, 12}, {5, 12}, {11, 4}, {14, 4}});
            break;
        case IDM_RANDOM:
            p.Box(RGB(255, 255, 255), 2, 2, 14, 14);
            p.Frame(kDark, 2, 2, 14, 14);
            for (POINT c : {POINT{5, 5}, POINT{8, 8}, POINT{11, 11}})
                p.Dot(kRed, c.x - 1, c.y - 1, c.x + 2, c.y + 2);
            break;
        case IDM_RANDOMIZE:
            p.Letter(kBlue, "?");
            break;
        case IDM_EMPTY:
            p.Box(RGB(160, 160, 160), 4, 4, 12, 15);
            p.Box(kDark, 3, 2, 13, 4);
            break;
        case IDM_VOLUME:
            p.Polygon(kDark, {{2, 6}, {5, 6}, {9, 2}, {9, 14}, {5, 10}, {2, 10}});
            p.Line(kDark, 1, {{11, 5}, {12, 8}, {11, 11}});
            p.Line(kDark, 1, {{13, 3}, {15, 8}, {13, 13}});
            break;
        case IDM_RESET:
            p.Frame(kDark, 1, 1, 15, 15);
            p.Line(kDark, 1, {{8, 1}, {8, 15}});
            p.Line(kDark, 1, {{1, 8}, {8, 8}});
            break;
        case IDM_SETS:
            p.Box(kYellow, 1, 4, 10, 13);
            p.Frame(kDark, 1, 4, 10, 13);
            p.Box(kYellow, 6, 2, 15, 11);
            p.Frame(kDark, 6, 2, 15, 11);
            break;
        case IDM_PROPERTIES:
            Page(p);
            for (int y : {4, 8, 12}) p.Line(kBlue, 1, {{5, y}, {11, y}});
            break;
        case IDM_HIDE:
            p.Box(kDark, 3, 11, 13, 13);
            break;
        case IDM_EXIT:
            p.Frame(kDark, 2, 1, 10, 15);
            p.Polygon(kRed, {{9, 4}, {15, 8}, {9, 12}});
            break;
        case IDM_ABOUT:
            p.Dot(kBlue, 1, 1, 15, 15);
            p.Letter(RGB(255, 255, 255), "i");
            break;
        case IDM_ADD:
            p.Box(kGreen, 7, 2, 10, 14);
            p.Box(kGreen, 2, 7, 15, 10);
            break;
        case IDM_ADDALL:
            p.Box(kGreen, 4, 1, 7, 10);
            p.Box(kGreen, 1, 4, 10, 7);
            p.Box(kGreen, 10, 7, 13, 16);
            p.Box(kGreen, 7, 10, 16, 13);
            break;
        case IDM_REMOVE:
            p.Box(kRed, 2, 7, 15, 10);
            break;
        case IDM_REMOVEALL:
            p.Box(kRed, 2, 4, 15, 7);
            p.Box(kRed, 2, 10, 15, 13);
            break;
        case IDM_UP:
            p.Polygon(kBlue, {{8, 2}, {14, 10}, {2, 10}});
            p.Box(kBlue, 6, 10, 11, 15);
            break;
        case IDM_DOWN:
            p.Polygon(kBlue, {{8, 14}, {14, 6}, {2, 6}});
            p.Box(kBlue, 6, 1, 11, 6);
            break;
        case IDM_CHECK:
            p.Line(kGreen, 3, {{2, 8}, {6, 12}, {14, 3}});
            break;
        case IDM_CLEANFLAG:
            p.Dot(RGB(160, 160, 160), 3, 3, 13, 13);
            p.Line(kDark, 2, {{3, 13}, {13, 3}});
            break;
        case IDM_NEWTAG:
            Page(p);
            p.Box(kYellow, 9, 1, 15, 6);
            break;
        case IDM_SAVETAG:
            p.Box(kBlue, 2, 2, 14, 14);
            p.Box(RGB(255, 255, 255), 4, 2, 12, 7);
            p.Box(kDark, 5, 10, 11, 14);
            break;
        case IDM_UNDO:
            p.Line(kBlue, 2, {{4, 6}, {10, 6}, {13, 9}, {10, 13}, {5, 13}});
            p.Polygon(kBlue, {{1, 6}, {5, 2}, {5, 10}});
            break;
        case IDM_COPY:
            p.Box(RGB(255, 255, 255), 1, 1, 10, 11);
            p.Frame(kDark, 1, 1, 10, 11);
            p.Box(RGB(255, 255, 255), 6, 5, 15, 15);
            p.Frame(kDark, 6, 5, 15, 15);
            break;
        case IDM_CUT:
            p.Line(kDark, 1, {{4, 1}, {10, 10}});
            p.Line(kDark, 1, {{11, 1}, {5, 10}});
            p.Dot(kRed, 1, 9, 7, 15);
            p.Dot(kRed, 9, 9, 15, 15);
            break;
        case IDM_PASTE:
            p.Box(RGB(170, 120, 60), 2, 2, 12, 15);
            p.Box(RGB(255, 255, 255), 7, 6, 15, 15);
            p.Frame(kDark, 7, 6, 15, 15);
            break;
        default:
            p.Letter(kDark, "?");
            break;
    }
}

// All pictures of a list drawn side by side into one strip, which the list cuts into its
// images: one bitmap and one device context for the lot, not one each.
template <typename Draw>
HIMAGELIST PictureStrip(std::size_t count, const Draw& draw) {
    const int width = kGlyphSize * static_cast<int>(count);
    HIMAGELIST images = ImageList_Create(kGlyphSize, kGlyphSize, ILC_COLOR24 | ILC_MASK,
                                         static_cast<int>(count), 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, width, kGlyphSize);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, strip);
    HBRUSH background = CreateSolidBrush(kMask);
    RECT all{0, 0, width, kGlyphSize};
    FillRect(dc, &all, background);
    DeleteObject(background);
    for (std::size_t i = 0; i < count; ++i) {
        // Each picture draws at 0,0 into its own square of the strip.
        SetViewportOrgEx(dc, kGlyphSize * static_cast<int>(i), 0, nullptr);
        Painter painter(dc);
        draw(painter, i);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_AddMasked(images, strip, kMask);
    DeleteObject(strip);
    return images;
}

}  // namespace

HIMAGELIST CreateButtonImages(const TButtonCommand* buttons, std::size_t count) {
    return PictureStrip(count,
                        [buttons](Painter& p, std::size_t i) { DrawGlyph(p, buttons[i].id); });
}

HIMAGELIST CreateStateImages() {
    return PictureStrip(2, [](Painter& p, std::size_t i) {
        if (i == 0)
            p.Dot(RGB(150, 150, 150), 5, 5, 11, 11);
        else
            p.Polygon(kGreen, {{4, 3}, {12, 8}, {4, 13}});
    });
}

}  // namespace orvane
