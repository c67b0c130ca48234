#include "automation/Server.h"

#include "runtime/Errors.h"

#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QMutex>

#include <dlfcn.h>

#include <atomic>
#include <memory>

namespace quva::automation {

namespace {

using GetClassObjectFn = HRESULT (*)(const char*, const char*, void**);
using RegistrationFn = HRESULT (*)();

// Objects handed out by any factory and still referenced; while there are
// some, a library may not be unloaded.
std::atomic<long> g_liveObjects{0};

class Factory final : public ClassFactory {
public:
    explicit Factory(const std::function<rt::Object()>& create) : m_create(create) {}
    rt::Object CreateInstance() override {
        rt::Object inner = m_create();
        if (!inner) return inner;
        ++g_liveObjects;
        rt::IDispatch* raw = inner.get();
        return rt::Object(raw, [keep = std::move(inner)](rt::IDispatch*) mutable {
            keep.reset();
            --g_liveObjects;
        });
    }

private:
    std::function<rt::Object()> m_create;
};

bool sameId(const QString& a, const char* b) {
    return a.compare(QLatin1StringView(b), Qt::CaseInsensitive) == 0;
}

// Libraries stay loaded for the life of the process, as the classic
// platform kept a server loaded while the caller lived.
QLibrary* loadLibrary(const QString& path, QString* error) {
    static QMutex mutex;
    static QHash<QString, QLibrary*> loaded;
    const QString key = QFileInfo(path).absoluteFilePath();
    QMutexLocker lock(&mutex);
    if (QLibrary* lib = loaded.value(key)) return lib;
    auto lib = std::make_unique<QLibrary>(key);
    if (!lib->load()) {
        if (error) *error = lib->errorString();
        return nullptr;
    }
    QLibrary* kept = lib.release();
    loaded.insert(key, kept);
    return kept;
}

[[noreturn]] void cannotCreate(const QString& progId) {
    throw rt::RuntimeError(rt::err::CannotCreateObject, rt::errorDescription(rt::err::CannotCreateObject),
                           progId);
}

} // namespace

namespace detail {

HRESULT registerServer(const ServerDescription& d, const void* addressInLibrary) {
    Dl_info info{};
    if (dladdr(addressInLibrary, &info) == 0 || !info.dli_fname) return SELFREG_E_CLASS_;
    const QString library = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
    for (const ServerClass& c : d.classes) {
        if (c.entry.progId.isEmpty() || c.entry.clsid.isEmpty()) return SELFREG_E_CLASS_;
        ClassEntry e = c.entry;
        e.library = library;
        if (!Registry::write(e)) return SELFREG_E_CLASS_;
    }
    return S_OK_;
}

HRESULT unregisterServer(const ServerDescription& d) {
    HRESULT result = S_OK_;
    for (const ServerClass& c : d.classes) {
        // Only our own entry goes: another library may have taken the ProgID since.
        auto e = Registry::find(c.entry.progId);
        if (!e || e->clsid.compare(c.entry.clsid, Qt::CaseInsensitive) != 0) continue;
        if (!Registry::remove(c.entry.progId)) result = SELFREG_E_CLASS_;
    }
    return result;
}

HRESULT getClassObject(const ServerDescription& d, const char* clsid, const char* iid, void** factory) {
    if (!factory) return E_POINTER_;
    *factory = nullptr;
    if (!clsid) return CLASS_E_CLASSNOTAVAILABLE_;
    if (iid && *iid && !sameId(QString::fromLatin1(kIID_IClassFactory), iid)) return E_NOINTERFACE_;
    for (const ServerClass& c : d.classes) {
        if (sameId(c.entry.clsid, clsid) && c.create) {
            *factory = static_cast<ClassFactory*>(new Factory(c.create));
            return S_OK_;
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE_;
}

HRESULT canUnloadNow() {
    return g_liveObjects.load() == 0 ? S_OK_ : S_FALSE_;
}

} // namespace detail

rt::Object CreateObject(const QString& progId) {
    const std::optional<ClassEntry> e = Registry::find(progId);
    if (!e) cannotCreate(progId);
    QLibrary* lib = loadLibrary(e->library, nullptr);
    if (!lib) cannotCreate(progId);
    auto getClassObject = reinterpret_cast<GetClassObjectFn>(lib->resolve("DllGetClassObject"));
    if (!getClassObject) cannotCreate(progId);
    void* raw = nullptr;
    const QByteArray clsid = e->clsid.toLatin1();
    if (getClassObject(clsid.constData(), kIID_IClassFactory, &raw) != S_OK_ || !raw) cannotCreate(progId);
    std::unique_ptr<ClassFactory> factory(static_cast<ClassFactory*>(raw));
    rt::Object o = factory->CreateInstance();
    if (!o) cannotCreate(progId);
    return o;
}

RegistrationResult callRegistrationEntry(const QString& path, bool unregister) {
    RegistrationResult r;
    r.code = E_FAIL_;
    QLibrary* lib = loadLibrary(path, &r.loadError);
    if (!lib) {
        r.stage = RegistrationResult::Stage::LoadFailed;
        return r;
    }
    auto entry = reinterpret_cast<RegistrationFn>(
        lib->resolve(unregister ? "DllUnregisterServer" : "DllRegisterServer"));
    if (!entry) {
        r.stage = RegistrationResult::Stage::EntryPointMissing;
        return r;
    }
    r.code = entry();
    r.stage = r.code >= 0 ? RegistrationResult::Stage::Done : RegistrationResult::Stage::CallFailed;
    return r;
}

namespace {
HRESULT callEntry(const QString& path, bool unregister, QString* error) {
    const RegistrationResult r = callRegistrationEntry(path, unregister);
    if (error) {
        switch (r.stage) {
        case RegistrationResult::Stage::Done:
            error->clear();
            break;
        case RegistrationResult::Stage::LoadFailed:
            *error = r.loadError;
            break;
        case RegistrationResult::Stage::EntryPointMissing:
            *error = unregister ? QStringLiteral("DllUnregisterServer") : QStringLiteral("DllRegisterServer");
            break;
        case RegistrationResult::Stage::CallFailed:
            *error = QStringLiteral("0x%1").arg(quint32(r.code), 8, 16, QLatin1Char('0'));
            break;
        }
    }
    return r.code;
}
} // namespace

HRESULT RegisterLibrary(const QString& path, QString* error) {
    return callEntry(path, false, error);
}
HRESULT UnregisterLibrary(const QString& path, QString* error) {
    return callEntry(path, true, error);
}

} // namespace quva::automation
