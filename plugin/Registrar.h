#pragma once

#include <maya/MFnPlugin.h>
#include <maya/MStatus.h>

#include "boundary/base/GSortedCollection.h"

// A static object that announces one translator or command of the module. Registrars put
// themselves into the process-wide `registrarList` when the module is loaded, and take
// themselves out again when it is unloaded; initializePlugin and uninitializePlugin walk that
// list, so no central table has to name the items.
class Registrar {
 public:
  Registrar(const char* name, MCreatorFunction creator);
  virtual ~Registrar();

  virtual MStatus registerWithHost(MFnPlugin& plugin) = 0;
  virtual MStatus deregisterFromHost(MFnPlugin& plugin) = 0;
  // Position in the list; every registrar of the module has the same key.
  virtual int orderKey() const;

  Registrar(const Registrar&) = delete;
  Registrar& operator=(const Registrar&) = delete;

 protected:
  const char* name;          // a literal with static lifetime, not owned
  MCreatorFunction creator;  // makes a new instance for the host, or null when out of memory
};

class TranslatorRegistrar : public Registrar {
 public:
  using Registrar::Registrar;
  MStatus registerWithHost(MFnPlugin& plugin) override;
  MStatus deregisterFromHost(MFnPlugin& plugin) override;
};

class CommandRegistrar : public Registrar {
 public:
  using Registrar::Registrar;
  MStatus registerWithHost(MFnPlugin& plugin) override;
  MStatus deregisterFromHost(MFnPlugin& plugin) override;
};

// The registrars in ascending order of key. Entries with equal keys are admitted and keep the
// order in which they were inserted. The list does not own the registrars.
class RegistrarList : public GSortedCollection {
 public:
  RegistrarList();
  ~RegistrarList() override;

  int compare(const void* a, const void* b) const override;
  void freeItem(void* item) override;

  Registrar* registrarAt(int index) const { return static_cast<Registrar*>(items[index]); }
};

// Created by the first registrar constructed, freed by the last one destroyed; null otherwise.
extern RegistrarList* registrarList;
// Set when the list could not be allocated at load: the module then refuses to initialise,
// since it could not register anything.
extern bool registrarListUnavailable;
