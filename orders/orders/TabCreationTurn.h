#pragma once
// Whose turn it is to create a tab number. A terminal that finds no tab
// with the keyed number takes the number's turn in its own transaction and
// holds it until its command commits or rolls back; one that finds the
// turn taken waits, in a read that the engine holds until the holder ends,
// and then looks again for the tab. A number keyed on several terminals at
// once thus makes one tab (the others open it), while different numbers
// never wait on each other, and waiting costs no transactions.
//
// The turns are rows of the terminals' own table COMANDASCRIACAO, one per
// number ever created (schema/tab-creation.sql). A shop database without
// that table, or whose login may not write it, has one turn for all
// numbers: the CONFIGURA row, held with SELECT ... WITH LOCK.
class Transaction;

class TabCreationTurn {
public:
    // Looks once whether the store has COMANDASCRIACAO. Throws DatabaseError.
    void Prepare(Transaction& transaction);

    // Takes the turn to create tab `number` in `transaction` and returns
    // true; the turn is held until the transaction's next commit or
    // rollback. False when another transaction held it: this call has
    // waited until that one ended (at most kWaitSeconds) and the caller
    // looks again whether the tab exists. Throws DatabaseError for any
    // other failure, and a lock conflict when the holder outlasts the wait.
    bool Take(Transaction& transaction, int number);

    // Whether turns are per number (false: one for the whole shop).
    bool PerNumber() const { return perNumber_; }

    // Far longer than a tab creation takes, and below the bound after which
    // an engine call counts as stalled (Database::StalledCallBound), so the
    // stall watch never cuts a wait for a turn as a dead link. A holder that
    // outlasts it ends the wait in a lock conflict, which the command's
    // conflict retries meet like any other.
    static constexpr int kWaitSeconds = 4;

private:
    void WaitForHolder(Transaction& transaction, int number) const;

    bool perNumber_ = false;
};
