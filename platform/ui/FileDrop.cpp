#include "platform/ui/FileDrop.h"

#include "platform/base/MultiByte.h"
#include "platform/ui/Form.h"

#include <cstring>
#include <map>

namespace {

struct TDrop {
    std::vector<AnsiString> Paths;
    TPoint At;
};

std::map<HDROP, TDrop>& Drops() {
    static std::map<HDROP, TDrop> drops;
    return drops;
}

HDROP NextDrop = 0x1000;

const TDrop* FindDrop(HDROP Drop) {
    auto it = Drops().find(Drop);
    return it == Drops().end() ? nullptr : &it->second;
}

} // namespace

void DragAcceptFiles(HWND Handle, bool Accept) {
    if (TCustomForm* form = FindForm(Handle))
        form->HostWindow()->SetAcceptDrops(Accept);
}

unsigned DragQueryFile(HDROP Drop, unsigned Index, char* Buffer, unsigned Size) {
    const TDrop* drop = FindDrop(Drop);
    if (drop == nullptr)
        return 0;
    if (Index == 0xFFFFFFFFu)
        return static_cast<unsigned>(drop->Paths.size());
    if (Index >= drop->Paths.size())
        return 0;
    const AnsiString& path = drop->Paths[Index];
    if (Buffer == nullptr)
        return static_cast<unsigned>(path.size());
    if (Size == 0)
        return 0;
    std::size_t length = std::min<std::size_t>(path.size(), Size - 1);
    if (length < path.size()) {
        // Cut before the character that does not fit whole.
        while (length > 0 && IsTrailByte(static_cast<unsigned char>(path[length])))
            --length;
    }
    std::memcpy(Buffer, path.data(), length);
    Buffer[length] = '\0';
    return static_cast<unsigned>(length);
}

bool DragQueryPoint(HDROP Drop, TPoint* Point) {
    const TDrop* drop = FindDrop(Drop);
    if (drop == nullptr)
        return false;
    *Point = drop->At;
    return true;
}

void DragFinish(HDROP Drop) {
    Drops().erase(Drop);
}

HDROP CreateDrop(std::vector<AnsiString> Paths, TPoint At) {
    HDROP handle = NextDrop++;
    Drops()[handle] = TDrop{std::move(Paths), At};
    return handle;
}

bool DropAlive(HDROP Drop) {
    return FindDrop(Drop) != nullptr;
}
