#include "FirebirdClient.h"

#include "DatabaseError.h"
#include "Windows1252.h"

#include <memory>

namespace FirebirdClient {

Firebird::IMaster* Master()
{
    static Firebird::IMaster* const master = Firebird::fb_get_master_interface();
    return master;
}

Firebird::IUtil* Util()
{
    return Master()->getUtilInterface();
}

void Call(const std::function<void(Firebird::ThrowStatusWrapper&)>& call)
{
    std::unique_ptr<Firebird::IStatus, void (*)(Firebird::IStatus*)> raw(
        Master()->getStatus(), [](Firebird::IStatus* status) { status->dispose(); });
    Firebird::ThrowStatusWrapper status(raw.get());
    try {
        call(status);
    } catch (const Firebird::FbException& error) {
        char message[1024];
        Util()->formatStatus(message, sizeof message, error.getStatus());
        const intptr_t* errors = error.getStatus()->getErrors();
        const long code = errors[0] == isc_arg_gds ? static_cast<long>(errors[1]) : 0;
        throw DatabaseError(Windows1252ToUtf8(message), code);
    }
}

}  // namespace FirebirdClient
