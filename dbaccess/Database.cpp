#include "Database.h"

#include "FirebirdClient.h"
#include "PreparedStatement.h"

#include <stdexcept>
#include <string>
#include <vector>

using namespace Firebird;

namespace {

std::vector<unsigned char> DatabaseParameters(const std::string& user, const std::string& password, bool create)
{
    std::vector<unsigned char> buffer;
    FirebirdClient::Call([&](ThrowStatusWrapper& status) {
        IXpbBuilder* dpb = FirebirdClient::Util()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
        try {
            dpb->insertString(&status, isc_dpb_user_name, user.c_str());
            dpb->insertString(&status, isc_dpb_password, password.c_str());
            dpb->insertString(&status, isc_dpb_lc_ctype, "WIN1252");
            if (create) {
                dpb->insertString(&status, isc_dpb_set_db_charset, "WIN1252");
                dpb->insertInt(&status, isc_dpb_sql_dialect, 3);
            }
            const unsigned char* bytes = dpb->getBuffer(&status);
            buffer.assign(bytes, bytes + dpb->getBufferLength(&status));
        } catch (...) {
            dpb->dispose();
            throw;
        }
        dpb->dispose();
    });
    return buffer;
}

}  // namespace

Database::Database() : handles_(std::make_unique<Handles>()) {}

Database::Database(const std::string& connectionString, const std::string& user, const std::string& password)
    : Database()
{
    Open(connectionString, user, password);
}

Database::~Database()
{
    Close();
}

void Database::Open(const std::string& connectionString, const std::string& user, const std::string& password)
{
    Attach(connectionString, user, password, false);
    lastOpened_ = Settings{connectionString, user, password};
}

void Database::Reconnect()
{
    if (!lastOpened_)
        throw std::logic_error("database never opened");
    const Settings settings = *lastOpened_;
    Open(settings.connectionString, settings.user, settings.password);
}

void Database::Create(const std::string& connectionString, const std::string& user, const std::string& password)
{
    Attach(connectionString, user, password, true);
}

void Database::Attach(const std::string& connectionString, const std::string& user, const std::string& password,
                      bool create)
{
    Close();
    const std::vector<unsigned char> dpb = DatabaseParameters(user, password, create);
    FirebirdClient::Call([&](ThrowStatusWrapper& status) {
        IProvider* provider = FirebirdClient::Master()->getDispatcher();
        const auto size = static_cast<unsigned>(dpb.size());
        try {
            handles_->attachment = create
                ? provider->createDatabase(&status, connectionString.c_str(), size, dpb.data())
                : provider->attachDatabase(&status, connectionString.c_str(), size, dpb.data());
        } catch (...) {
            provider->release();
            throw;
        }
        provider->release();
    });
}

void Database::Close() noexcept
{
    if (!handles_->attachment)
        return;
    for (auto& [text, prepared] : handles_->prepared)
        prepared->Free();  // a Statement still holding one finds it freed
    handles_->prepared.clear();
    for (Transaction* transaction : handles_->transactions)
        transaction->Rollback();
    try {
        FirebirdClient::Call([&](ThrowStatusWrapper& status) { handles_->attachment->detach(&status); });
    } catch (...) {
        handles_->attachment->release();  // the engine refused to detach: drop our reference anyway
    }
    handles_->attachment = nullptr;
}

bool Database::IsOpen() const
{
    return handles_->attachment != nullptr;
}

Database::Handles& Database::Native() const
{
    return *handles_;
}
