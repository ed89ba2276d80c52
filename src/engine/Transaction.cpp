#include "engine/Transaction.h"

#include "engine/Connection.h"

namespace engine {

Transaction::Transaction(Connection &connection) : m_connection(connection)
{
    m_connection.begin();
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_connection.rollback();
        } catch (...) {
            // A failed rollback leaves SQLite to roll back the journal at the next start.
        }
    }
}

void Transaction::commit()
{
    m_done = true;
    m_connection.commit();
}

} // namespace engine
