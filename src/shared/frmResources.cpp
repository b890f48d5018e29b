#include "shared/frmResources.h"

#include <array>

#include "ui/Assets.h"
#include "ui/Layout.h"

namespace {

constexpr std::array<std::uint8_t, 824> kButtonBitmap{
#include "shared/frmResources.inc"
};

constexpr corvane::ui::ControlSpec picture()
{
    corvane::ui::ControlSpec spec{};
    spec.name = "Picture1";
    spec.kind = corvane::ui::ControlKind::Image;
    spec.width = 240;
    spec.height = 240;
    spec.picture = corvane::ui::assets::kButtonBitmap;
    return spec;
}

constexpr std::array kControls{picture()};

constexpr corvane::ui::FormSpec kForm{"frmResources", "frmResources", 240, 240, {255, 255, 255}, {}, kControls};

// Handles are never reused, so a stale one finds nothing rather than
// another form's picture.
constexpr std::int32_t kFirstHandle = 0x0B170001;
std::int32_t g_nextHandle = kFirstHandle;
std::int32_t g_liveHandle = 0;

std::shared_ptr<frmResources>& slot()
{
    static std::shared_ptr<frmResources> form;
    return form;
}

} // namespace

frmResources::frmResources()
    : Form(kForm), Picture1(captioned("Picture1")), m_pictureHandle(g_nextHandle++)
{
}

std::shared_ptr<frmResources> frmResources::instance()
{
    auto& form = slot();
    if (!form) {
        form = std::make_shared<frmResources>();
        g_liveHandle = form->Picture1Handle();
    }
    return form;
}

void frmResources::release() noexcept
{
    g_liveHandle = 0;
    slot().reset();
}

namespace corvane::shared {

std::span<const std::uint8_t> buttonBitmap() noexcept { return kButtonBitmap; }

std::span<const std::uint8_t> pictureBits(std::int32_t handle) noexcept
{
    if (handle == 0 || handle != g_liveHandle) return {};
    return kButtonBitmap;
}

} // namespace corvane::shared
