#pragma once
// The check applied to the result of every terminal library call but the
// key read: 1 is success; anything else shows "Erro" / "Ocorreu um erro ao
// executar a operação!" and abandons the event handler that made the call
// (throws OperationAbandoned, which RunGuarded ends silently).

void CheckResult(int result);
