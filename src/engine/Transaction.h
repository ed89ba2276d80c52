#pragma once

#include <optional>

namespace engine {

class Connection;

// A savepoint inside a transaction: release() keeps its work in the transaction, and
// destruction without release() undoes only its own work, whatever left the scope; the
// transaction goes on. Savepoints nest.
class Savepoint
{
public:
    explicit Savepoint(Connection &connection);
    ~Savepoint();
    Savepoint(const Savepoint &) = delete;
    Savepoint &operator=(const Savepoint &) = delete;

    void release();

private:
    Connection &m_connection;
    bool m_done = false;
};

// Begins a transaction; commit() makes it last, and destruction without commit() rolls it
// back, whatever left the scope. It covers every table file the work touches. Work that a
// caller may already have begun a transaction for holds a Transaction all the same: inside a
// transaction it is a Savepoint, whose commit() lasts as long as the transaction around it.
class Transaction
{
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Connection &m_connection;
    std::optional<Savepoint> m_savepoint;
    bool m_done = false;
};

} // namespace engine
