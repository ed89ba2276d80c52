#pragma once

namespace engine {

class Connection;

// Begins a transaction; commit() makes it last, and destruction without commit() rolls it
// back, whatever left the scope. It covers every table file the work touches.
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
    bool m_done = false;
};

} // namespace engine
