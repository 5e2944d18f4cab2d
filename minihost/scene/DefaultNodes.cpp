#include "scene/DefaultNodes.h"

namespace minihost::scenefile {

const char* defaultNodeType(const std::string& name) {
  static const char* const table[][2] = {
      {"time1", "time"},
      {"sequenceManager1", "sequenceManager"},
      {"hardwareRenderingGlobals", "hardwareRenderingGlobals"},
      {"renderPartition", "partition"},
      {"renderGlobalsList1", "renderGlobalsList"},
      {"defaultLightList1", "defaultLightList"},
      {"defaultShaderList1", "defaultShaderList"},
      {"postProcessList1", "postProcessList"},
      {"defaultRenderUtilityList1", "defaultRenderUtilityList"},
      {"defaultRenderingList1", "defaultRenderingList"},
      {"lightList1", "lightList"},
      {"defaultTextureList1", "defaultTextureList"},
      {"lambert1", "lambert"},
      {"standardSurface1", "standardSurface"},
      {"particleCloud1", "particleCloud"},
      {"initialShadingGroup", "shadingEngine"},
      {"initialParticleSE", "shadingEngine"},
      {"initialMaterialInfo", "materialInfo"},
      {"shaderGlow1", "shaderGlow"},
      {"defaultLightSet", "objectSet"},
      {"defaultObjectSet", "objectSet"},
      {"characterPartition", "partition"},
      {"defaultHardwareRenderGlobals", "hwRenderGlobals"},
      {"hardwareRenderGlobals", "hardwareRenderGlobals"},
      {"ikSystem", "ikSystem"},
      {"hyperGraphInfo", "hyperGraphInfo"},
      {"hyperGraphLayout", "hyperLayout"},
      {"globalCacheControl", "globalCacheControl"},
      {"strokeGlobals", "strokeGlobals"},
      {"dynController1", "dynController"},
      {"defaultColorMgtGlobals", "colorManagementGlobals"},
      {"layerManager", "displayLayerManager"},
      {"defaultLayer", "displayLayer"},
      {"renderLayerManager", "renderLayerManager"},
      {"defaultRenderLayer", "renderLayer"},
      {"lightLinker1", "lightLinker"},
      {"shapeEditorManager", "shapeEditorManager"},
      {"poseInterpolatorManager", "poseInterpolatorManager"},
      {"defaultViewColorManager", "viewColorManager"},
      {"defaultRenderQuality", "renderQuality"},
  };
  for (const auto& row : table) {
    if (name == row[0])
      return row[1];
  }
  return nullptr;
}

}  // namespace minihost::scenefile
