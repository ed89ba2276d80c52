#include "support/DataFolder.h"

#include "data/DeliveredTables.h"

#include <stdexcept>

DataFolder::DataFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary data folder");
    data::createDeliveredTables(m_dir.path() + u'/', QStringLiteral(DORV_DATA_SQL_DIR));
}
