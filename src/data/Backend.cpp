#include "Backend.h"

namespace vornel {

namespace {

// A result read whole, handed over as one batch.
class ReadCursor : public QueryCursor {
public:
    explicit ReadCursor(QueryResult result) : m_result(std::move(result)) {}
    const std::vector<Column>& columns() const override { return m_result.columns; }
    bool fetch(RowStore& rows, std::size_t) override {
        if (m_done) return false;
        m_done = true;
        if (rows.rowCount() == 0) {
            rows = std::move(m_result.rows);
        } else {
            for (std::size_t r = 0; r < m_result.rows.rowCount(); ++r)
                rows.appendRow(m_result.rows.row(r));
        }
        return false;
    }

private:
    QueryResult m_result;
    bool m_done = false;
};

} // namespace

std::unique_ptr<QueryCursor> Backend::openCursor(const QString& sql) {
    return std::make_unique<ReadCursor>(query(sql));
}

} // namespace vornel
