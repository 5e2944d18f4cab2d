// MFnPlugin.h defines the module's MApiVersion in the one source with the entry points.
#define MNoVersionString
#include "plugin/Registrar.h"

#include <new>

RegistrarList* registrarList = nullptr;
bool registrarListUnavailable = false;

Registrar::Registrar(const char* name, MCreatorFunction creator) : name(name), creator(creator) {
  if (registrarList == nullptr) {
    registrarList = new (std::nothrow) RegistrarList();
    if (registrarList == nullptr) {
      registrarListUnavailable = true;
      return;
    }
  }
  if (registrarList->v_insert(this) < 0)
    registrarListUnavailable = true;
}

Registrar::~Registrar() {
  if (registrarList == nullptr)
    return;
  registrarList->v_remove(this);
  if (registrarList->count == 0) {
    delete registrarList;
    registrarList = nullptr;
  }
}

int Registrar::orderKey() const {
  return 1;
}

MStatus TranslatorRegistrar::registerWithHost(MFnPlugin& plugin) {
  return plugin.registerFileTranslator(MString(name), "", creator, nullptr, nullptr, false);
}

MStatus TranslatorRegistrar::deregisterFromHost(MFnPlugin& plugin) {
  return plugin.deregisterFileTranslator(MString(name));
}

MStatus CommandRegistrar::registerWithHost(MFnPlugin& plugin) {
  return plugin.registerCommand(MString(name), creator, nullptr);
}

MStatus CommandRegistrar::deregisterFromHost(MFnPlugin& plugin) {
  return plugin.deregisterCommand(MString(name));
}

RegistrarList::RegistrarList() : GSortedCollection(0, 2, false) {
  duplicates = true;
}

RegistrarList::~RegistrarList() {
  shut_down();
}

int RegistrarList::compare(const void* a, const void* b) const {
  return static_cast<const Registrar*>(a)->orderKey() -
         static_cast<const Registrar*>(b)->orderKey();
}

void RegistrarList::freeItem(void* item) {
  delete static_cast<Registrar*>(item);
}
