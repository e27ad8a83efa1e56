// The host's reader of key codes on any bytes from a terminal, fed and
// drained in any rhythm. The first byte is the reader's capacity; each step
// then takes a control byte (how many bytes come, how many codes are taken,
// whether the connection drops an odd byte) and the bytes it names. The
// reader must hand out exactly the codes a plain model pairs up, never take
// more bytes than it has room for, and never hold more than its capacity.
#include "FuzzInput.h"
#include "KeyCodeStream.h"

#include <deque>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const size_t capacity = input.Byte() % 17;
    KeyCodeReader reader(capacity);
    std::deque<uint16_t> model;
    int oddByte = -1;

    while (!input.Empty()) {
        const unsigned control = input.Byte();
        const std::string_view offered = input.Take(control & 0x0f);
        const size_t room = reader.Room();
        FuzzCheck(room <= 2 * capacity, "the room never exceeds the capacity");
        reader.Feed(offered);
        for (char c : offered.substr(0, room)) {
            const auto byte = static_cast<unsigned char>(c);
            if (oddByte < 0) {
                oddByte = byte;
            } else {
                model.push_back(static_cast<uint16_t>(oddByte << 8 | byte));
                oddByte = -1;
            }
        }
        FuzzCheck(model.size() <= capacity, "the reader holds at most its capacity");
        for (unsigned take = (control >> 4) & 0x07; take > 0 && !model.empty(); --take) {
            FuzzCheck(reader.HasCode(), "a paired code is there to take");
            FuzzCheck(reader.TakeCode() == model.front(), "codes come out high byte first, in order");
            model.pop_front();
        }
        FuzzCheck(reader.HasCode() == !model.empty(), "the reader holds what the model holds");
        if (control & 0x80) {
            reader.DropPartialCode();
            oddByte = -1;
        }
    }
    return 0;
}
