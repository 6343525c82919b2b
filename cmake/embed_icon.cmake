# embed_icon.cmake — the resource compiler's part for an icon on systems
# without one: `cmake -DICON=file.ico -DID=number -DOUTPUT=file.cpp -P
# embed_icon.cmake` writes a source that carries the .ico's bytes and hands
# them to the platform layer as the module's icon resource ID
# (platform/resources.h).
file(READ ${ICON} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    "
       bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp "// Written by the build from ${ICON}: the program's icon resource ${ID}.
#include \"resources.h\"

namespace {

const unsigned char icon[] = {
    ${bytes}
};
const layer::IconResource resource(${ID}, icon, sizeof icon);

}  // namespace
")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
