#pragma once
// The hidden resource form: never shown, it holds the command's button image
// in its picture control Picture1. Created on first use, it lives until the
// component is unloaded. UI thread only.

#include <cstdint>
#include <memory>
#include <span>

#include "ui/Controls.h"
#include "ui/Form.h"

class frmResources final : public corvane::ui::Form {
public:
    frmResources();

    // The one instance, created when there is none.
    static std::shared_ptr<frmResources> instance();
    // The component's unload (and tests).
    static void release() noexcept;

    // Picture1's picture handle: non-zero, the same for the life of the form.
    [[nodiscard]] std::int32_t Picture1Handle() const noexcept { return m_pictureHandle; }

    corvane::ui::Image& Picture1;

private:
    std::int32_t m_pictureHandle;
};

namespace corvane::shared {

// The button image as a file: 16 x 16, 24 bits, uncompressed, 824 bytes
// (the same bytes as assets/button.bmp).
[[nodiscard]] std::span<const std::uint8_t> buttonBitmap() noexcept;

// The bitmap behind a handle that frmResources handed out; empty for any
// other value (0 included).
[[nodiscard]] std::span<const std::uint8_t> pictureBits(std::int32_t handle) noexcept;

} // namespace corvane::shared
