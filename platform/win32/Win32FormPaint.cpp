// How a Win32 form draws what has no window of its own (its background and
// picture, frames, labels, images) and its owner-drawn picture buttons.
#include "win32/Win32Fonts.h"
#include "win32/Win32FormPeer.h"
#include "win32/Win32Text.h"

namespace corvane::win32 {

namespace {

COLORREF toColorRef(const ui::Color& colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

void fill(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

UINT alignmentOf(ui::Alignment alignment)
{
    switch (alignment) {
    case ui::Alignment::Right:
        return DT_RIGHT;
    case ui::Alignment::Center:
        return DT_CENTER;
    case ui::Alignment::Left:
        break;
    }
    return DT_LEFT;
}

} // namespace

void Win32FormPeer::paint(HDC target)
{
    RECT client{};
    GetClientRect(m_window, &client);
    // Drawn off screen first, so that a caption change never flickers.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP buffer = CreateCompatibleBitmap(target, client.right, client.bottom);
    const HGDIOBJ oldBitmap = SelectObject(dc, buffer);
    FillRect(dc, &client, m_backBrush);
    drawPicture(dc, m_picture, 0, 0, m_picture.width, m_picture.height);
    // Frames under what they hold, whatever the table's order.
    for (const Item& item : m_items)
        if (item.child == nullptr && item.control->spec().kind == ui::ControlKind::Frame) drawItem(dc, item);
    for (const Item& item : m_items)
        if (item.child == nullptr && item.control->spec().kind != ui::ControlKind::Frame) drawItem(dc, item);
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(buffer);
    DeleteDC(dc);
}

void Win32FormPeer::drawItem(HDC dc, const Item& item) const
{
    const ui::ControlSpec& spec = item.control->spec();
    const COLORREF fore = spec.foreColor ? toColorRef(*spec.foreColor) : RGB(0, 0, 0);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, item.rect.left, item.rect.top, item.rect.right, item.rect.bottom);
    SelectObject(dc, item.font);
    SetTextColor(dc, fore);
    SetBkMode(dc, TRANSPARENT);
    std::wstring text = widen(item.text);
    switch (spec.kind) {
    case ui::ControlKind::Frame: {
        const COLORREF back = toColorRef(spec.backColor.value_or(m_form.spec().backColor));
        fill(dc, item.rect, back);
        if (!spec.bordered) break;
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        RECT border = item.rect;
        border.top += metrics.tmHeight / 2;
        DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
        if (text.empty()) break;
        SelectObject(dc, fittedFont(dc, spec.font, text, item.rect.right - item.rect.left - 16));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        RECT caption{item.rect.left + 7, item.rect.top, item.rect.left + 9 + extent.cx,
                     item.rect.top + metrics.tmHeight};
        fill(dc, caption, back);
        caption.left += 1;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        break;
    }
    case ui::ControlKind::Label: {
        if (spec.backColor) fill(dc, item.rect, toColorRef(*spec.backColor));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        // A label a line high keeps its caption on that line.
        if (item.rect.bottom - item.rect.top < 2 * metrics.tmHeight)
            SelectObject(dc, fittedFont(dc, spec.font, text, item.rect.right - item.rect.left));
        RECT area = item.rect;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                  alignmentOf(spec.alignment) | DT_WORDBREAK | DT_NOPREFIX);
        break;
    }
    case ui::ControlKind::Image: {
        const Picture picture = assetPicture(spec.picture);
        drawPicture(dc, picture, item.rect.left, item.rect.top, picture.width, picture.height);
        break;
    }
    default:
        break;
    }
    RestoreDC(dc, saved);
}

void Win32FormPeer::drawButton(const DRAWITEMSTRUCT& draw) const
{
    const Item* item = nullptr;
    for (const Item& candidate : m_items)
        if (candidate.child == draw.hwndItem) item = &candidate;
    if (item == nullptr) return;
    const bool down = (draw.itemState & ODS_SELECTED) != 0;
    HDC dc = draw.hDC;
    RECT rect = draw.rcItem;
    const Picture& face = down && item->downFace ? item->downFace : item->face;
    if (face)
        drawPicture(dc, face, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    else
        DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    HBRUSH edge = CreateSolidBrush(RGB(96, 106, 122));
    FrameRect(dc, &rect, edge);
    DeleteObject(edge);

    const ui::ControlSpec& spec = item->control->spec();
    const int saved = SaveDC(dc);
    const std::wstring text = widen(item->text);
    SelectObject(dc, fittedFont(dc, spec.font, text, rect.right - rect.left - 4));
    SetTextColor(dc, spec.foreColor ? toColorRef(*spec.foreColor) : RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT textRect = rect;
    if (down) OffsetRect(&textRect, 1, 1);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, saved);
    if ((draw.itemState & ODS_FOCUS) != 0) {
        RECT focus = rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace corvane::win32
