#include "cupsapi.h"

#include <dlfcn.h>

#include "printererror.h"

namespace surface {

namespace {

template <typename F> bool Bind(void* library, const char* name, F& function)
{
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

} // namespace

bool CupsApi::Load()
{
    void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    // The library stays loaded for the rest of the run, like a linked one.
    return Bind(library, "cupsCopyDestInfo", CopyDestInfo) &&
           Bind(library, "cupsFindDestDefault", FindDestDefault) &&
           Bind(library, "cupsFreeDestInfo", FreeDestInfo) &&
           Bind(library, "cupsFreeDests", FreeDests) && Bind(library, "cupsGetDests2", GetDests2) &&
           Bind(library, "cupsGetNamedDest", GetNamedDest) &&
           Bind(library, "cupsGetPPD2", GetPPD2) &&
           Bind(library, "cupsLastErrorString", LastErrorString) &&
           Bind(library, "cupsMarkOptions", MarkOptions) &&
           Bind(library, "cupsDoFileRequest", DoFileRequest) &&
           Bind(library, "cupsEncodeOptions2", EncodeOptions2) &&
           Bind(library, "cupsLastError", LastError) &&
           Bind(library, "cupsPrintFile2", PrintFile2) && Bind(library, "cupsUser", User) &&
           Bind(library, "httpAssembleURI", AssembleURI) &&
           Bind(library, "ippAddString", AddString) && Bind(library, "ippDelete", DeleteIpp) &&
           Bind(library, "ippFindAttribute", FindAttribute) &&
           Bind(library, "ippGetInteger", GetInteger) &&
           Bind(library, "ippNewRequest", NewRequest) &&
           Bind(library, "cupsEncryption", Encryption) && Bind(library, "cupsServer", Server) &&
           Bind(library, "httpClose", Close) && Bind(library, "httpConnect2", Connect2) &&
           Bind(library, "httpSetTimeout", SetTimeout) && Bind(library, "ippPort", Port) &&
           Bind(library, "ippGetResolution", GetResolution) &&
           Bind(library, "ppdClose", PpdClose) && Bind(library, "ppdFindAttr", PpdFindAttr) &&
           Bind(library, "ppdFindMarkedChoice", PpdFindMarkedChoice) &&
           Bind(library, "ppdFindOption", PpdFindOption) &&
           Bind(library, "ppdMarkDefaults", PpdMarkDefaults) &&
           Bind(library, "ppdOpenFile", PpdOpenFile) && Bind(library, "ppdPageSize", PpdPageSize);
}

const CupsApi& CupsApi::Get()
{
    static CupsApi api;
    static const bool loaded = api.Load();
    if (!loaded)
        ThrowPrinterError(MsgNoDefaultPrinter);
    return api;
}

} // namespace surface
