#pragma once

#include <cups/cups.h>
#include <cups/ppd.h>

namespace surface {

// The few libcups calls of the system printer back end, bound at run time.
// Linking libcups would load it, and the twenty libraries it needs (TLS,
// Kerberos, Avahi), into every process that uses the print surface, the
// command-line tool printing to a file included; now they load only when a
// system printer is first asked for.
class CupsApi
{
public:
    // The bound calls; throws core::EPrinter "デフォルト プリンタが存在しません"
    // when libcups cannot be loaded (then there is no CUPS to print with).
    static const CupsApi& Get();

// The PPD calls are deprecated in favour of IPP attributes, but only a PPD
// tells a queue's own resolution and printable area.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    decltype(&::cupsCopyDestInfo) CopyDestInfo = nullptr;
    decltype(&::cupsDoFileRequest) DoFileRequest = nullptr;
    decltype(&::cupsEncodeOptions2) EncodeOptions2 = nullptr;
    decltype(&::cupsLastError) LastError = nullptr;
    decltype(&::cupsUser) User = nullptr;
    decltype(&::httpAssembleURI) AssembleURI = nullptr;
    decltype(&::ippAddString) AddString = nullptr;
    decltype(&::ippDelete) DeleteIpp = nullptr;
    decltype(&::ippFindAttribute) FindAttribute = nullptr;
    decltype(&::ippGetInteger) GetInteger = nullptr;
    decltype(&::ippNewRequest) NewRequest = nullptr;
    decltype(&::cupsEncryption) Encryption = nullptr;
    decltype(&::cupsFindDestDefault) FindDestDefault = nullptr;
    decltype(&::cupsFreeDestInfo) FreeDestInfo = nullptr;
    decltype(&::cupsFreeDests) FreeDests = nullptr;
    decltype(&::cupsGetDests2) GetDests2 = nullptr;
    decltype(&::cupsGetNamedDest) GetNamedDest = nullptr;
    decltype(&::cupsGetPPD2) GetPPD2 = nullptr;
    decltype(&::cupsLastErrorString) LastErrorString = nullptr;
    decltype(&::cupsMarkOptions) MarkOptions = nullptr;
    decltype(&::cupsPrintFile2) PrintFile2 = nullptr;
    decltype(&::cupsServer) Server = nullptr;
    decltype(&::httpClose) Close = nullptr;
    decltype(&::httpConnect2) Connect2 = nullptr;
    decltype(&::httpSetTimeout) SetTimeout = nullptr;
    decltype(&::ippGetResolution) GetResolution = nullptr;
    decltype(&::ippPort) Port = nullptr;
    decltype(&::ppdClose) PpdClose = nullptr;
    decltype(&::ppdFindAttr) PpdFindAttr = nullptr;
    decltype(&::ppdFindMarkedChoice) PpdFindMarkedChoice = nullptr;
    decltype(&::ppdFindOption) PpdFindOption = nullptr;
    decltype(&::ppdMarkDefaults) PpdMarkDefaults = nullptr;
    decltype(&::ppdOpenFile) PpdOpenFile = nullptr;
    decltype(&::ppdPageSize) PpdPageSize = nullptr;
#pragma GCC diagnostic pop

private:
    CupsApi() = default;
    bool Load();
};

} // namespace surface
