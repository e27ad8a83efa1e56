// Commands on products and items: price query (R), commission on the last
// item (S), quantity of the last item (Q) and adding a product by bar code
// or weighing-scale label (any other first character).
#include "DataModulo.h"

#include "LargestTab.h"
#include "QZ_DBIBX.h"
#include "RegionalFormats.h"
#include "ScaleBarcode.h"
#include "StoreStatements.h"

namespace {

// A count keyed as a weight on the scale (1,5 meaning 15 pieces): the
// quantity's digits read without the decimal separator. Unchanged when
// they do not read as a number.
long double QuantityAsCount(long double quantity) {
    std::string digits;
    for (char c : FormatQuantity(static_cast<double>(quantity)))
        if (c != '.' && c != ',')
            digits += c;
    return ParseDecimal(digits).value_or(static_cast<double>(quantity));
}

bool Holds(const std::string& text, char c) { return text.find(c) != std::string::npos; }

// Whether the loaded tab stays within the most a tab may hold once that
// much quantity and value are added to its totals as last read. Worked out
// in floating point, so that no amount is too large to be compared.
bool StaysWithinLargestTab(const DataSet& comanda, long double quantity, long double value) {
    return comanda.FieldByName("COM_QTDE").AsFixed().ToDouble() + quantity <= kLargestTabAmount &&
           comanda.FieldByName("COM_TOTAL").AsFixed().ToDouble() + value <= kLargestTabAmount;
}

}  // namespace

std::string TDM::QueryPrice(const std::string& code) {
    const int product = FindProductByBarcode(code);
    if (product == 0)
        return "200-PRODUTO " + code + " N\xC3O ENCONTRADO!";
    // At the price table the tab has now: another terminal may have changed it.
    if (!COM.IsEmpty())
        COM.RefreshCurrentRow(StoreStatements::kComandaRefresh);
    return "000-PRE\xC7O: " + FormatMoney(GetProductPrice(product, false).Raw());
}

std::string TDM::GrantCommissionOnLastItem(int badge) {
    if (!LoadLastItem())
        return "602-NENHUM PRODUTO ENCONTRADO/SELECIONADO!";

    LoadEmployeeByBadge(badge);
    if (FUN.IsEmpty())
        return "600-FUNCION\xC1RIO N\xC3O ENCONTRADO!";
    return GrantCommission();
}

std::string TDM::ChangeLastItemQuantity(double quantity) {
    LockLoadedComanda();
    if (!LoadLastItem())
        return "203-NENHUM PRODUTO ENCONTRADO/SELECIONADO!";
    if (auto refusal = StatusRefusal(); !refusal.empty())
        return refusal;
    // The tab's value changes by the quantity's change at the item's price.
    const long double unitValue = (CIN.FieldByName("CIN_VALOR").AsFixed() - CIN.FieldByName("CIN_DESCONTO").AsFixed() +
                                   CIN.FieldByName("CIN_ACRESCIMO").AsFixed())
                                      .ToDouble();
    const long double change = quantity - CIN.FieldByName("CIN_QTDE").AsFixed().ToDouble();
    if (!StaysWithinLargestTab(COM, change, change * unitValue))
        return kTabMaximumExceeded;

    CIN.Edit();
    CIN.SetField("CIN_QTDE", FixedPoint::FromDouble(quantity));
    PostDataSet(CIN);
    RecalculateTotals();
    PostDataSet(COM);
    return "000-QUANTIDADE DO PRODUTO ALTERADA PARA " + FormatQuantity(quantity);
}

std::string TDM::AddProduct(const std::string& line) {
    // The limits are checked against the tab's total as it stands, with the
    // tab held until the item is in. Held first, so that a terminal that
    // finds it held by another gives up having done next to nothing.
    LockLoadedComanda();
    const std::string pattern = QCFG.FieldByName("CFG_PDV_BALANCA").AsText().Bytes();
    TScaleLabel label{line, 1, TScaleLabelKind::slQuantity};
    bool scaleLabel = false;
    int product = FindProductByBarcode(line);
    if (product == 0) {
        scaleLabel = true;
        DecodeScaleBarcode(line, pattern, label);  // a value that is no number keeps 1
        product = FindProductByBarcode(label.code);
        if (product == 0)
            return "200-PRODUTO " + label.code + " N\xC3O ENCONTRADO!";
    }

    const FixedPoint price = GetProductPrice(product, scaleLabel);
    long double quantity = label.value;
    if (label.kind == TScaleLabelKind::slPrice) {
        // A label with an amount for a product without a price holds no
        // quantity that could be worked out.
        if (price == FixedPoint())
            return "204-O PRODUTO N\xC3O TEM PRE\xC7O!";
        quantity = label.value / price.ToDouble();
    } else if (PRO.FieldByName("PRO_BALUNIDADE").AsText() == Windows1252Text("U") && !Holds(pattern, '$')) {
        quantity = QuantityAsCount(quantity);
    }

    // The amount is rounded once, from the unrounded quantity: a label's
    // amount divided by the price and multiplied back must give the amount.
    const long double amount = price.ToDouble() * quantity;
    if (!StaysWithinLargestTab(COM, quantity, amount))
        return kTabMaximumExceeded;
    const FixedPoint newTotal = COM.FieldByName("COM_TOTAL").AsFixed() + FixedPoint::FromDouble(amount);
    const FixedPoint maximum = QCFG.FieldByName("CFG_PDV_VALORMAXCOMANDA").AsFixed();
    if (maximum > FixedPoint() && newTotal > maximum + FixedPoint::FromRaw(100))
        return kTabMaximumExceeded;
    if (COM.FieldByName("CON_CREDITOTIPO").AsInteger() == 2 &&
        newTotal > COM.FieldByName("CON_CREDITOCONSUMO").AsFixed())
        return "402-O CLIENTE N\xC3O TEM CR\xC9"
               "DITO PARA A OPERA\xC7\xC3O!";
    if (PRO.FieldByName("PRO_ATIVO").AsInteger() == 1)
        return "201-O PRODUTO EST\xC1 INATIVO!";

    switch (AddItem(product, FixedPoint::FromDouble(quantity), price)) {
    case csNotLoaded: return "100-NENHUMA COMANDA ABERTA!";
    case csBlocked: return "101-A COMANDA BLOQUEADA!";
    case csCancelled: return "102-A COMANDA FOI CANCELADA, ABRA OUTRA!";
    case csUsable: break;
    }
    return "000-PRODUTO " + PRO.FieldByName("PRO_NOME").AsText().Bytes() + " ADICIONADO!";
}
