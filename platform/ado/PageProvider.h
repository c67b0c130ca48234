#pragma once
// Where a paged recordset takes its rows from: storage that knows how many
// rows a selection has and hands out any stretch of them on demand, so a
// large selection never has to sit in memory.

#include "ado/Types.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <vector>

namespace quva::ado {

class PageProvider {
public:
    virtual ~PageProvider() = default;
    // Rows in the selection, or -1 when the storage cannot tell without
    // reading them all (the recordset then reports RecordCount -1 and finds
    // the end by fetching).
    virtual std::int64_t count() = 0;
    virtual std::vector<FieldInfo> fields() = 0;
    // Appends the values of rows [first, first + n) to `out`, row after row,
    // fields() order; fewer rows (or none) past the end. Values are taken as
    // they come: the provider delivers them in the fields' types.
    virtual void fetch(std::int64_t first, std::int64_t n, std::vector<rt::Variant>& out) = 0;
    // Called before a page is set: true when the storage changed since the
    // rows and the count were last handed out (they are then asked again).
    virtual bool refresh() { return false; }
};

} // namespace quva::ado
