#pragma once
// The data module's creation at the start of the window program. The data
// module itself holds no window code; its theme `Tema` and the connection
// dialog come in here.
#include <string>
#include <vector>

class TDM;
class TQZTheme;

// In this order: reads the theme from the settings file; names the shop
// database file "DBEMPRESA.FDB"; finds the sibling product's settings file;
// connects (silently when the stored settings allow it, else through the
// connection dialog). Once connected, saves the base selects, reads the
// settings row and sets the prompt "Comanda:"; an error there is shown in
// the general error box and the module goes on with an empty prompt.
// `dataModule` must have been created on this thread, which registered its
// connection and transaction as the shared pair. `arguments` are the
// program's arguments after its own name ("CFG=" in the first).
// Returns whether the program goes on. It ends (false) when the operator
// cancelled the connection dialog without a connection, or when the stored
// settings could not be read (a credential that does not unscramble); the
// box "Erro" / "Não foi possível conectar ao banco de dados !" has then
// been shown.
bool DataModuleCreate(TDM& dataModule, TQZTheme& tema, const std::vector<std::string>& arguments);
