// effect_buffer.cpp — ID3DXBuffer over a byte vector.
#include "effect_buffer.h"

#include "../win32/com_object.h"

#include <vector>

namespace layer::fx {

namespace {

class TextBuffer final : public layer::ComObject<ID3DXBuffer> {
public:
    explicit TextBuffer(std::string_view text) : bytes_(text.begin(), text.end()) { bytes_.push_back('\0'); }

    LPVOID GetBufferPointer() override { return bytes_.data(); }
    DWORD GetBufferSize() override { return static_cast<DWORD>(bytes_.size()); }

private:
    ~TextBuffer() override = default;

    std::vector<char> bytes_;
};

}  // namespace

ID3DXBuffer* createTextBuffer(std::string_view text) { return new TextBuffer(text); }

}  // namespace layer::fx
