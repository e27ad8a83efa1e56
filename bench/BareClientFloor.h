#pragma once
// The floor a command's cost is compared with: the same statements as the
// data module's commands run through the bare Firebird client API, each
// prepared once, values written straight into the engine's message buffers,
// in one transaction of the same kind (read committed, record versions, no
// wait) committed retaining once per command. What the program spends above
// this is its own.
#include "FieldValue.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Firebird {
class IAttachment;
class ITransaction;
}  // namespace Firebird

class BareClientFloor {
public:
    BareClientFloor(const std::string& connectionString, const std::string& user, const std::string& password);
    ~BareClientFloor();
    BareClientFloor(const BareClientFloor&) = delete;
    BareClientFloor& operator=(const BareClientFloor&) = delete;

    // The statements of the command C<number> on an existing tab.
    void OpenTab(int number);
    // Of a product added by its bar code to the tab opened last.
    void AddProduct(const std::string& barcode);
    // Of Q<quantity> on the tab opened last.
    void ChangeLastQuantity(int quantity);
    // Of V on the tab opened last.
    void ShowTotal();

private:
    struct Prepared;
    using Row = std::vector<FieldValue>;

    // Runs the text (prepared on first use) with the values of its ":NAME"
    // parameters and gives its rows, each with the columns asked for (the
    // same ones on every run of the text), in that order.
    std::vector<Row> Run(const std::string& sql, const SqlParameters& values,
                         const std::vector<std::string>& columns = {});
    std::vector<Row> RunRaw(const std::string& sql, const SqlParameters& values,
                            const std::vector<std::string>& columns);
    // The first row's columns; all null when there is no row.
    Row First(const std::string& sql, const SqlParameters& values, const std::vector<std::string>& columns);
    void Commit();

    Firebird::IAttachment* attachment_ = nullptr;
    Firebird::ITransaction* transaction_ = nullptr;
    std::map<std::string, std::unique_ptr<Prepared>> prepared_;
    FieldValue tabCode_;    // the loaded tab's COM_CODIGO
    FieldValue tabNumber_;  // and its COM_NUMERO
};
