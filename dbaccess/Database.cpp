#include "Database.h"

#include "ConnectionHandles.h"
#include "DatabaseError.h"
#include "FirebirdClient.h"
#include "PreparedStatement.h"
#include "StallWatch.h"

#include <cctype>
#include <locale.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Firebird;

namespace {

const std::string kConnectionTimeout = "ConnectionTimeout = " + std::to_string(Database::StalledCallBound.count());

struct DatabaseParameter {
    unsigned char tag;
    std::string value;
};

// The client reads the connection string, user and password as UTF-8
// when the parameters say so; otherwise it would take them in the character
// type of the process's locale.
std::vector<unsigned char> DatabaseParameters(const std::vector<DatabaseParameter>& parameters, bool create) {
    std::vector<unsigned char> buffer;
    FirebirdClient::Call([&](ThrowStatusWrapper& status) {
        const EngineHandle<IXpbBuilder> dpb(
            FirebirdClient::Util()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0));
        dpb->insertTag(&status, isc_dpb_utf8_filename);
        // A server that accepts the connection and then never answers (a
        // stalled link) ends the attach after this long instead of the
        // client's default 180 s.
        dpb->insertString(&status, isc_dpb_config, kConnectionTimeout.c_str());
        for (const DatabaseParameter& parameter : parameters)
            dpb->insertString(&status, parameter.tag, parameter.value.c_str());
        if (create) {
            dpb->insertString(&status, isc_dpb_set_db_charset, "WIN1252");
            dpb->insertInt(&status, isc_dpb_sql_dialect, 3);
        }
        const unsigned char* bytes = dpb->getBuffer(&status);
        buffer.assign(bytes, bytes + dpb->getBufferLength(&status));
    });
    return buffer;
}

std::vector<DatabaseParameter> Login(const std::string& user, const std::string& password) {
    return {{isc_dpb_user_name, user}, {isc_dpb_password, password}, {isc_dpb_lc_ctype, "WIN1252"}};
}

// The parameter of one "name=value" line; the name in any case.
DatabaseParameter ParameterOfLine(const std::string& line) {
    static const struct {
        const char* name;
        unsigned char tag;
    } kKnown[] = {{"user_name", isc_dpb_user_name}, {"password", isc_dpb_password}, {"lc_ctype", isc_dpb_lc_ctype}};
    const std::size_t equals = line.find('=');
    std::string name = line.substr(0, equals);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& known : kKnown)
        if (equals != std::string::npos && name == known.name)
            return {known.tag, line.substr(equals + 1)};
    throw DatabaseError("Unknown database parameter: " + line);
}

// The client converts a file name between UTF-8 and the character type of
// the locale in force when it first needs to, and keeps that conversion for
// the rest of the process. A program in the plain C locale would then
// refuse every name with an accent, so the client meets a UTF-8 character
// type here, on this thread only, whatever the program's own locale.
class Utf8CharacterType {
public:
    Utf8CharacterType() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {
        if (utf8_)
            previous_ = uselocale(utf8_);
    }
    ~Utf8CharacterType() {
        if (!utf8_)
            return;
        uselocale(previous_);
        freelocale(utf8_);
    }
    Utf8CharacterType(const Utf8CharacterType&) = delete;
    Utf8CharacterType& operator=(const Utf8CharacterType&) = delete;

private:
    locale_t utf8_;
    locale_t previous_ = nullptr;
};

}  // namespace

Database::Database() : handles_(std::make_unique<Handles>()) {}

Database::Database(const std::string& connectionString, const std::string& user, const std::string& password)
    : Database() {
    Open(connectionString, user, password);
}

Database::~Database() { Close(); }

void Database::Open(const std::string& connectionString, const std::string& user, const std::string& password) {
    AttachRemembered(connectionString, DatabaseParameters(Login(user, password), false));
}

void Database::Open() {
    std::vector<DatabaseParameter> parameters;
    for (const std::string& line : Params) {
        const DatabaseParameter parameter = ParameterOfLine(line);
        std::erase_if(parameters, [&](const DatabaseParameter& earlier) { return earlier.tag == parameter.tag; });
        parameters.push_back(parameter);
    }
    AttachRemembered(DatabaseName, DatabaseParameters(parameters, false));
}

void Database::Reconnect() {
    if (!lastOpened_)
        throw std::logic_error("database never opened");
    const Settings settings = *lastOpened_;
    AttachRemembered(settings.connectionString, settings.parameters);
}

void Database::AttachRemembered(const std::string& connectionString, const std::vector<unsigned char>& dpb) {
    Attach(connectionString, dpb, false);
    lastOpened_ = Settings{connectionString, dpb};
}

void Database::Create(const std::string& connectionString, const std::string& user, const std::string& password) {
    Attach(connectionString, DatabaseParameters(Login(user, password), true), true);
}

void Database::Attach(const std::string& connectionString, const std::vector<unsigned char>& dpb, bool create) {
    Close();
    const Utf8CharacterType utf8;
    FirebirdClient::Call([&](ThrowStatusWrapper& status) {
        const EngineHandle<IProvider> provider(FirebirdClient::Master()->getDispatcher());
        const auto size = static_cast<unsigned>(dpb.size());
        handles_->attachment.reset(create
                                       ? provider->createDatabase(&status, connectionString.c_str(), size, dpb.data())
                                       : provider->attachDatabase(&status, connectionString.c_str(), size, dpb.data()));
    });
    StallWatch::Watch(*handles_);
}

void Database::Close() noexcept {
    if (!handles_->attachment)
        return;
    for (auto& [text, prepared] : handles_->prepared)
        prepared->Free();  // a Statement still holding one finds it freed
    handles_->prepared.clear();
    for (Transaction* transaction : handles_->transactions)
        transaction->Rollback();
    FirebirdClient::EndQuietly(
        handles_->attachment, [](IAttachment& attachment, ThrowStatusWrapper& status) { attachment.detach(&status); },
        &handles_->inFlight);
    StallWatch::Unwatch(*handles_);
}

void Database::Abort() noexcept { StallWatch::Abort(*handles_); }

bool Database::IsOpen() const { return handles_->attachment != nullptr; }
