#pragma once
// Self-registering libraries. A component library describes its creatable
// classes once and exports the four standard entry points with
// QUVA_AUTOMATION_SERVER(describe), where describe() returns the
// description below. Registering writes each class's entries to the
// registry with the library's own path; unregistering removes them.

#include "automation/Registry.h"
#include "runtime/Dispatch.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace quva::automation {

struct ServerClass {
    ClassEntry entry; // library is filled in at registration
    std::function<rt::Object()> create;
};

struct ServerDescription {
    std::vector<ServerClass> classes;
};

// A creatable class T (a DispatchObject with a default constructor): its
// members are listed from a fresh instance, in the order T declares them.
template <class T> ServerClass serverClass(ClassEntry entry) {
    entry.members = T().memberNames();
    return ServerClass{std::move(entry), [] { return rt::Object(std::make_shared<T>()); }};
}

// The class factory handed out by DllGetClassObject; the caller deletes it.
class ClassFactory {
public:
    virtual ~ClassFactory() = default;
    virtual rt::Object CreateInstance() = 0;
};

// Result codes of the entry points: 32-bit and signed on every platform, so
// a failure is negative whatever the width of long.
using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK_ = 0;
inline constexpr HRESULT E_FAIL_ = HRESULT(0x80004005u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE_ = HRESULT(0x80040111u);
inline constexpr HRESULT SELFREG_E_CLASS_ = HRESULT(0x80040201u);
inline constexpr HRESULT S_FALSE_ = 1;
inline constexpr HRESULT E_NOINTERFACE_ = HRESULT(0x80004002u);
inline constexpr HRESULT E_POINTER_ = HRESULT(0x80004003u);

// The interface DllGetClassObject is asked for (an empty or null iid is taken as this one).
inline constexpr const char* kIID_IClassFactory = "{00000001-0000-0000-C000-000000000046}";

namespace detail {
HRESULT registerServer(const ServerDescription& d, const void* addressInLibrary);
HRESULT unregisterServer(const ServerDescription& d);
HRESULT getClassObject(const ServerDescription& d, const char* clsid, const char* iid, void** factory);
HRESULT canUnloadNow();
} // namespace detail

// Creates an object by ProgID through the registry (failure 429 when the
// ProgID is not registered or its library cannot be loaded).
rt::Object CreateObject(const QString& progId);

// Loads a library and calls its DllRegisterServer / DllUnregisterServer.
// Returns the entry point's result; throws nothing.
HRESULT RegisterLibrary(const QString& path, QString* error = nullptr);
HRESULT UnregisterLibrary(const QString& path, QString* error = nullptr);

// What calling a library's registration entry point came to, for a tool
// that tells the three ways it can fail apart.
struct RegistrationResult {
    enum class Stage { Done, LoadFailed, EntryPointMissing, CallFailed };
    Stage stage = Stage::Done;
    HRESULT code = S_OK_; // the entry point's result (E_FAIL_ when it was never called)
    QString loadError;    // the loader's text when the library did not load
};
RegistrationResult callRegistrationEntry(const QString& path, bool unregister);

} // namespace quva::automation

// The four exports. describe is a function returning const ServerDescription&.
#define QUVA_AUTOMATION_SERVER(describe)                                                                     \
    extern "C" __attribute__((visibility("default"))) ::quva::automation::HRESULT DllRegisterServer() {      \
        return ::quva::automation::detail::registerServer(describe(), (const void*)&describe);               \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) ::quva::automation::HRESULT DllUnregisterServer() {    \
        return ::quva::automation::detail::unregisterServer(describe());                                     \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) ::quva::automation::HRESULT DllGetClassObject(         \
        const char* clsid, const char* iid, void** factory) {                                                \
        return ::quva::automation::detail::getClassObject(describe(), clsid, iid, factory);                  \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) ::quva::automation::HRESULT DllCanUnloadNow() {        \
        return ::quva::automation::detail::canUnloadNow();                                                   \
    }
