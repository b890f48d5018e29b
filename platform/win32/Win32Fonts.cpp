#include "win32/Win32Fonts.h"

#include "win32/Win32Text.h"

#include <map>
#include <string>
#include <tuple>

namespace corvane::win32 {

namespace {

HFONT makeFont(const ui::Font& font, int tenthsOfPoints)
{
    using Key = std::tuple<std::string, int, bool, bool>;
    static std::map<Key, HFONT> fonts;
    const Key key{std::string(font.name), tenthsOfPoints, font.bold, font.underline};
    if (const auto it = fonts.find(key); it != fonts.end()) return it->second;
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    const int height = -((tenthsOfPoints * dpi + 360) / 720);
    HFONT made = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline ? TRUE : FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, widen(font.name).c_str());
    if (made == nullptr) made = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(key, made);
    return made;
}

int tenthsOf(const ui::Font& font)
{
    return static_cast<int>(font.points * 10.0 + 0.5);
}

} // namespace

HFONT fontFor(const ui::Font& font)
{
    return makeFont(font, tenthsOf(font));
}

HFONT fittedFont(HDC dc, const ui::Font& font, std::wstring_view text, int width)
{
    const int designed = tenthsOf(font);
    if (text.empty() || width <= 0) return makeFont(font, designed);
    const int saved = SaveDC(dc);
    HFONT chosen = makeFont(font, designed);
    for (int tenths = designed; tenths >= designed * 7 / 10; tenths -= 2) {
        chosen = makeFont(font, tenths);
        SelectObject(dc, chosen);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
        if (extent.cx <= width) break;
    }
    RestoreDC(dc, saved);
    return chosen;
}

} // namespace corvane::win32
