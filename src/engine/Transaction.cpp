#include "engine/Transaction.h"

#include "engine/Connection.h"

namespace engine {

Savepoint::Savepoint(Connection &connection) : m_connection(connection)
{
    m_connection.savepoint();
}

Savepoint::~Savepoint()
{
    if (!m_done) {
        try {
            m_connection.rollbackToSavepoint();
        } catch (...) {
            // The transaction around it is rolled back in turn by its own guard.
        }
    }
}

void Savepoint::release()
{
    m_done = true;
    m_connection.releaseSavepoint();
}

Transaction::Transaction(Connection &connection) : m_connection(connection)
{
    if (m_connection.inTransaction())
        m_savepoint.emplace(m_connection);
    else
        m_connection.begin();
}

Transaction::~Transaction()
{
    if (m_done || m_savepoint)
        return; // a savepoint not released rolls itself back
    try {
        m_connection.rollback();
    } catch (...) {
        // A failed rollback leaves SQLite to roll back the journal at the next start.
    }
}

void Transaction::commit()
{
    m_done = true;
    if (m_savepoint)
        m_savepoint->release();
    else
        m_connection.commit();
}

} // namespace engine
