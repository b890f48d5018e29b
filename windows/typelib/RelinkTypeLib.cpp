// corvane-relink-typelib: rewrites a type library that widl compiled so that
// the interfaces it only uses from another library (the host's command
// interface) are referenced in that library instead of copied into this
// one. widl cannot reference an imported interface from a coclass; a copy
// would make registering our library claim the host's interface as ours,
// and unregistering it would remove the host's own registration.
//
//   corvane-relink-typelib IN.tlb HOST.tlb OUT.tlb
//
// Runs under Wine at build time. Only member-less interfaces and coclasses
// are carried over, which is all this server describes; anything else stops
// the tool with an error rather than being dropped.
// <windows.h> first: the OLE headers build on it.
// clang-format off
#include <windows.h>
#include <oleauto.h>
// clang-format on

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Failure {
    std::string what;
    HRESULT hr;
};

void ok(HRESULT hr, const char* what)
{
    if (FAILED(hr)) throw Failure{what, hr};
}

struct Attr {
    ITypeInfo* info;
    TYPEATTR* attr;
    explicit Attr(ITypeInfo* i) : info(i), attr(nullptr) { ok(info->GetTypeAttr(&attr), "GetTypeAttr"); }
    ~Attr() { info->ReleaseTypeAttr(attr); }
    Attr(const Attr&) = delete;
    Attr& operator=(const Attr&) = delete;
};

class Relinker {
  public:
    Relinker(ITypeLib* in, ITypeLib* host, ICreateTypeLib2* out) : m_in(in), m_host(host), m_out(out) {}

    void run()
    {
        TLIBATTR* libAttr = nullptr;
        ok(m_in->GetLibAttr(&libAttr), "GetLibAttr");
        ok(m_out->SetGuid(libAttr->guid), "SetGuid");
        ok(m_out->SetVersion(libAttr->wMajorVerNum, libAttr->wMinorVerNum), "SetVersion");
        ok(m_out->SetLcid(libAttr->lcid), "SetLcid");
        ok(m_out->SetLibFlags(libAttr->wLibFlags), "SetLibFlags");
        m_in->ReleaseTLibAttr(libAttr);
        BSTR name = nullptr;
        ok(m_in->GetDocumentation(-1, &name, nullptr, nullptr, nullptr), "GetDocumentation");
        ok(m_out->SetName(name), "SetName");
        SysFreeString(name);

        // First every type of our own, then their implemented interfaces, so
        // that references between them resolve to the new descriptions.
        const UINT count = m_in->GetTypeInfoCount();
        std::vector<ITypeInfo*> ours;
        for (UINT i = 0; i < count; ++i) {
            ITypeInfo* info = nullptr;
            ok(m_in->GetTypeInfo(i, &info), "GetTypeInfo");
            Attr a(info);
            if (hostOwns(a.attr->guid)) {
                info->Release();
                continue;
            }
            create(info, a.attr);
            ours.push_back(info);
        }
        for (ITypeInfo* info : ours) {
            implement(info);
            info->Release();
        }
        for (auto& [guid, created] : m_created)
            ok(created.create->LayOut(), "LayOut");
        ok(m_out->SaveAllChanges(), "SaveAllChanges");
        for (auto& [guid, created] : m_created)
            created.create->Release();
    }

  private:
    struct Created {
        ICreateTypeInfo* create;
        GUID guid;
    };

    bool hostOwns(const GUID& guid)
    {
        ITypeInfo* info = nullptr;
        if (FAILED(m_host->GetTypeInfoOfGuid(guid, &info))) return false;
        info->Release();
        return true;
    }

    static std::string key(const GUID& g)
    {
        wchar_t text[40];
        StringFromGUID2(g, text, 40);
        std::string out;
        for (const wchar_t* p = text; *p; ++p)
            out += static_cast<char>(*p);
        return out;
    }

    void create(ITypeInfo* info, const TYPEATTR* attr)
    {
        // A dual interface is described from its interface side; the
        // library writes the dispatch side itself.
        TYPEKIND kind = attr->typekind;
        if (kind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL)) kind = TKIND_INTERFACE;
        if (kind != TKIND_INTERFACE && kind != TKIND_COCLASS) throw Failure{"unsupported type kind", E_NOTIMPL};
        if (attr->cVars != 0 || (attr->typekind == TKIND_INTERFACE && attr->cFuncs != 0))
            throw Failure{"types with members are not carried over", E_NOTIMPL};

        BSTR name = nullptr;
        ok(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), "GetDocumentation");
        ICreateTypeInfo* created = nullptr;
        ok(m_out->CreateTypeInfo(name, kind, &created), "CreateTypeInfo");
        SysFreeString(name);
        ok(created->SetGuid(attr->guid), "SetGuid");
        ok(created->SetVersion(attr->wMajorVerNum, attr->wMinorVerNum), "SetVersion");
        m_created[key(attr->guid)] = Created{created, attr->guid};
        m_flags[key(attr->guid)] = attr->wTypeFlags;
    }

    // The description that a reference of ours should point at.
    ITypeInfo* target(ITypeInfo* referenced)
    {
        Attr a(referenced);
        ITypeInfo* resolved = nullptr;
        if (SUCCEEDED(m_host->GetTypeInfoOfGuid(a.attr->guid, &resolved))) return resolved;
        const auto it = m_created.find(key(a.attr->guid));
        if (it != m_created.end()) {
            ok(it->second.create->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&resolved)), "ITypeInfo");
            return resolved;
        }
        referenced->AddRef();
        return referenced;
    }

    void implement(ITypeInfo* info)
    {
        Attr a(info);
        ICreateTypeInfo* created = m_created.at(key(a.attr->guid)).create;
        ITypeInfo* source = info;
        ITypeInfo* interfaceSide = nullptr;
        if (a.attr->typekind == TKIND_DISPATCH && (a.attr->wTypeFlags & TYPEFLAG_FDUAL)) {
            HREFTYPE partner = 0;
            ok(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &partner), "dual partner");
            ok(info->GetRefTypeInfo(partner, &interfaceSide), "dual partner info");
            source = interfaceSide;
        }
        implementFrom(source, created);
        // Flags last: marking an interface dual needs its IDispatch base in place.
        WORD flags = m_flags.at(key(a.attr->guid));
        if (interfaceSide != nullptr) {
            {
                Attr side(interfaceSide);
                flags = static_cast<WORD>(flags | side.attr->wTypeFlags);
            }
            interfaceSide->Release();
        }
        ok(created->SetTypeFlags(flags), "SetTypeFlags");
    }

    void implementFrom(ITypeInfo* source, ICreateTypeInfo* created)
    {
        Attr s(source);
        for (UINT i = 0; i < s.attr->cImplTypes; ++i) {
            HREFTYPE ref = 0;
            ITypeInfo* referenced = nullptr;
            ok(source->GetRefTypeOfImplType(i, &ref), "GetRefTypeOfImplType");
            ok(source->GetRefTypeInfo(ref, &referenced), "GetRefTypeInfo");
            ITypeInfo* pointTo = target(referenced);
            referenced->Release();
            HREFTYPE newRef = 0;
            ok(created->AddRefTypeInfo(pointTo, &newRef), "AddRefTypeInfo");
            pointTo->Release();
            ok(created->AddImplType(i, newRef), "AddImplType");
            INT flags = 0;
            if (SUCCEEDED(source->GetImplTypeFlags(i, &flags)) && flags != 0)
                ok(created->SetImplTypeFlags(i, flags), "SetImplTypeFlags");
        }
    }

    ITypeLib* m_in;
    ITypeLib* m_host;
    ICreateTypeLib2* m_out;
    std::map<std::string, Created> m_created;
    std::map<std::string, WORD> m_flags;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: corvane-relink-typelib IN.tlb HOST.tlb OUT.tlb\n");
        return 2;
    }
    ITypeLib* in = nullptr;
    ITypeLib* host = nullptr;
    ICreateTypeLib2* out = nullptr;
    try {
        ok(LoadTypeLibEx(argv[1], REGKIND_NONE, &in), "LoadTypeLibEx(IN)");
        ok(LoadTypeLibEx(argv[2], REGKIND_NONE, &host), "LoadTypeLibEx(HOST)");
        DeleteFileW(argv[3]);
        TLIBATTR* attr = nullptr;
        ok(in->GetLibAttr(&attr), "GetLibAttr");
        const SYSKIND platform = attr->syskind;
        in->ReleaseTLibAttr(attr);
        ok(CreateTypeLib2(platform, argv[3], &out), "CreateTypeLib2");
        Relinker(in, host, out).run();
    } catch (const Failure& f) {
        std::fprintf(stderr, "corvane-relink-typelib: %s failed (0x%08lX)\n", f.what.c_str(),
                     static_cast<unsigned long>(f.hr));
        return 1;
    }
    out->Release();
    host->Release();
    in->Release();
    return 0;
}
