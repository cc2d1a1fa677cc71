#pragma once
// Registration of a COM server's classes: the COM entries under
// HKEY_CLASSES_ROOT\CLSID and the DirectShow filter entries through the
// filter mapper (IFilterMapper2, or IFilterMapper when that is missing).
#include <windows.h>

#include <span>

#include "dshowbase/class_factory.h"

namespace qucap {

// Creates an in-process COM object (CoCreateInstance with
// CLSCTX_INPROC_SERVER); a parameter so tests can make a creation fail.
using ComObjectCreator = HRESULT (*)(REFCLSID clsid, REFIID iid, void** object);
HRESULT createInprocObject(REFCLSID clsid, REFIID iid, void** object);

// The full path of moduleInstance(). The buffer holds capacity characters;
// a path that does not fit gives HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER).
HRESULT moduleFilePath(WCHAR* path, DWORD capacity);

// "CLSID\{...}" default = the template's name; its "InprocServer32" default =
// modulePath and "ThreadingModel" = "Both". A registry failure comes back as
// HRESULT_FROM_WIN32 of its error.
HRESULT registerComClass(const CFactoryTemplate& factoryTemplate, const WCHAR* modulePath);
// Deletes "CLSID\{...}" with all its subkeys; a missing key counts as success.
HRESULT unregisterComClass(REFCLSID clsid);
// Deletes root\subkey with everything below it, depth first. A key that does
// not exist: S_OK.
HRESULT deleteRegistryTree(HKEY root, const WCHAR* subkey);

// For each template with filter data: unregister it from the mapper (no
// category, no instance), and when registering, register it again with its
// name, merit and pins (REGFILTER2 version 1, the default DirectShow
// category). HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) counts as success; the
// first failure ends the loop and is returned. The caller has initialised COM.
HRESULT registerFilters(std::span<const CFactoryTemplate> templates, bool registering,
                        ComObjectCreator create = createInprocObject);

// DllRegisterServer (registering) / DllUnregisterServer (not): the COM entries
// of every template (registering), the filters through the mapper (with COM
// initialised here), and when unregistering and all went well, the COM
// entries of every template removed. Returns the last result.
HRESULT AMovieDllRegisterServer2(std::span<const CFactoryTemplate> templates, bool registering,
                                 ComObjectCreator create = createInprocObject);

}  // namespace qucap
