#include "LibraryResult.h"

#include "EventGuard.h"
#include "QZ_DIALOG.h"

void CheckResult(int result) {
    if (result == 1)
        return;
    ErrorBox("Erro", "Ocorreu um erro ao executar a operação!");
    throw OperationAbandoned();
}
