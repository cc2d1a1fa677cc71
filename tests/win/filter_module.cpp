#include "tests/win/filter_module.h"

#include "tests/win/temp_folder.h"

namespace qucap::test {

std::u16string windowsPathOf(const char* unixPath) {
    std::u16string path = u"Z:";
    for (const char* c = unixPath; *c != '\0'; ++c) path += *c == '/' ? u'\\' : char16_t(static_cast<unsigned char>(*c));
    return path;
}

std::u16string builtFilterModule() { return windowsPathOf(QUCAP_PROGRAM_DIR) + u"\\Qucapsyf.ax"; }

LoadedFilterModule::LoadedFilterModule(const std::u16string& folder) : path_(folder + u"\\Qucapsyf.ax") {
    if (!CopyFileW(wide(builtFilterModule()), wide(path_), FALSE)) return;
    module_ = LoadLibraryW(wide(path_));
}

LoadedFilterModule::~LoadedFilterModule() {
    if (module_ != nullptr) FreeLibrary(module_);
}

GetClassObjectFunction LoadedFilterModule::getClassObject() const {
    return reinterpret_cast<GetClassObjectFunction>(GetProcAddress(module_, "DllGetClassObject"));
}

ModuleFunction LoadedFilterModule::canUnloadNow() const {
    return reinterpret_cast<ModuleFunction>(GetProcAddress(module_, "DllCanUnloadNow"));
}

ComPtr<IBaseFilter> LoadedFilterModule::createFilter() const {
    ComPtr<IClassFactory> factory;
    ComPtr<IBaseFilter> filter;
    if (module_ == nullptr || FAILED(getClassObject()(kClsidQucapsyf, IID_IClassFactory, factory.putVoid())))
        return filter;
    factory->CreateInstance(nullptr, IID_IBaseFilter, filter.putVoid());
    return filter;
}

ComPtr<IQucapsyf> qucapsyfOf(const ComPtr<IBaseFilter>& filter) {
    ComPtr<IQucapsyf> own;
    if (filter) filter.query(kIidIQucapsyf, own);
    return own;
}

}  // namespace qucap::test
