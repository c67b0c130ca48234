#pragma once
// The script and the call record shared by the registered stand-ins of the
// suite's components and the tests that use them. Both link this library,
// so a test scripts what a stand-in answers and reads back every call it
// received, with the automation type and by-reference flag of each argument.
// ProgIDs and member names are matched without letter case.

#include "runtime/Dispatch.h"
#include "runtime/Variant.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace quva::doubles {

struct Arg {
    std::uint16_t vt = 0; // VarType of the value, with rt::kByRef for a reference
    rt::Variant value;    // the value as it arrived (a copy)
    rt::VarType type() const { return rt::VarType(vt & ~rt::kByRef); }
    bool byRef() const { return (vt & rt::kByRef) != 0; }
};

struct Call {
    QString progId;
    int instance = 0; // 1 for the first instance created of that ProgID, …
    QString member;
    rt::CallKind kind = rt::CallKind::Method;
    std::vector<Arg> args;
};

// What a stand-in does when a member is called, beyond the canned result.
using Behaviour = std::function<rt::Variant(std::span<rt::Variant> args)>;

// Forgets every script and record.
void reset();

// The result of every call of a member (Empty unless set).
void setResult(const QString& progId, const QString& member, const rt::Variant& value);
// The member raises this run-time failure (0 clears it).
void setFailure(const QString& progId, const QString& member, std::int32_t number);
// Written through the by-reference argument at index (0-based) before returning.
void setOutput(const QString& progId, const QString& member, int index, const rt::Variant& value);
// Runs instead of the canned result (a failure and outputs still apply first).
void setBehaviour(const QString& progId, const QString& member, Behaviour b);
// Creating the ProgID fails (CreateObject raises 429).
void setCreateFailure(const QString& progId, bool fail);
// The error triple a business stand-in reports.
void setErrorTriple(const QString& progId, const rt::Variant& numero, const rt::Variant& descricao,
                    const rt::Variant& local);

// The calls received, in order: all of them, or of one ProgID (and member).
std::vector<Call> calls(const QString& progId = {}, const QString& member = {});
int instancesCreated(const QString& progId);

// Used by the stand-ins.
namespace detail {
bool createFails(const QString& progId);
int newInstance(const QString& progId);
rt::Variant answer(const QString& progId, int instance, const QString& member, rt::CallKind kind,
                   std::span<rt::Variant> args);
} // namespace detail

} // namespace quva::doubles
