// The module's own static objects, in the order they are built at load: the translator's
// message texts, then the registrars in table order. C++ orders static initialisation only
// within one translation unit, so they all live here; the module's exit list destroys them in
// reverse, and the last registrar destroyed frees the registrar list.
//
// The axis matrices and the class records of the animation classes are built before any of
// these: they are static objects of the animation library, linked ahead of this file.

// MFnPlugin.h defines the module's MApiVersion in the one source with the entry points.
#define MNoVersionString

#include "plugin/Registrar.h"
#include "shell/MessageTexts.h"

#include "anim_export/ExportMessages.h"
#include "anim_import/AnimationImportCommand.h"
#include "anim_import/ImportMessages.h"
#include "mesh_export/MeshExportCommand.h"
#include "mesh_export/MeshTranslator.h"
#include "plugin/AnimationTranslator.h"

// The texts live with the rest of their part's messages; only the objects are made here.
const GString kMsgCantGetRenderGlobals(exportMessages::kCantGetRenderGlobals);
const GString kMsgEnableAnimation(exportMessages::kEnableAnimation);
const GString kMsgCantOpenOutputFile(exportMessages::kCantOpenOutputFile);
const GString kMsgCantOpenInputFile(importMessages::kCantOpenInputFile);

namespace {
TranslatorRegistrar animationTranslatorRegistrar(AnimationTranslator::kName,
                                                 AnimationTranslator::creator);
CommandRegistrar animationImportCommandRegistrar(AnimationImportCommand::kName,
                                                 AnimationImportCommand::creator);
TranslatorRegistrar meshTranslatorRegistrar(MeshTranslator::kName, MeshTranslator::creator);
CommandRegistrar meshExportCommandRegistrar(MeshExportCommand::kName, MeshExportCommand::creator);
}  // namespace
