#pragma once
// The recordset's vocabulary: data type codes, positions and field
// descriptions, with the classic ADO numbers that callers pass around.

#include <QString>

#include <cstdint>

namespace quva::ado {

enum DataType : std::int32_t {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adVariant = 12,
    adChar = 129, // fixed length: shorter texts are padded with blanks
    adWChar = 130,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
};

// AbsolutePage and AbsolutePosition when not on a row.
enum PositionEnum : std::int32_t { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

enum ObjectStateEnum : std::int32_t { adStateClosed = 0, adStateOpen = 1 };

enum FieldAttributeEnum : std::int32_t {
    adFldUnspecified = -1,
    adFldMayBeNull = 0x40,
    adFldIsNullable = 0x20,
};

enum CursorLocationEnum : std::int32_t { adUseServer = 2, adUseClient = 3 };

struct FieldInfo {
    QString name;
    DataType type = adVariant;
    std::int32_t definedSize = 0; // characters for texts; 0 where the type fixes it
};

// True for the type codes a field may have.
bool isKnownType(std::int32_t type);
// The size ADO reports for types whose size is not chosen (8 for adDouble …).
std::int32_t naturalSize(DataType type);

} // namespace quva::ado
