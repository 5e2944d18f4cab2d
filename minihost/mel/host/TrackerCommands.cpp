// spaceLocator and imagePlane: what camera tracker exports make besides their keyed cameras.
// The batch host keeps locators as a transform with a placeholder shape and image planes as
// placeholder nodes, so that the scripts run on to the cameras; what they would show is not
// modelled, and each says so.

#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

using minihost::NodeRef;

namespace {

bool cmdSpaceLocator(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(
          call,
          {{"n", "name", 1}, {"p", "position", 3}, {"a", "absolute", 0}, {"r", "relative", 0}},
          false)) {
    return false;
  }
  std::string error;
  std::string name = flags.has("name") ? flags.value("name").asString() : "locator1";
  NodeRef transform = scene().createNode("transform", name, NodeRef{}, &error);
  if (!transform.isSet())
    return call.failNamed(error);
  const std::string& given = scene().node(transform)->name;
  NodeRef shape = scene().createNode(minihost::placeholderType("locator", true), given + "Shape",
                                     transform, &error);
  if (!shape.isSet())
    return call.failNamed(error);
  if (flags.has("position"))
    call.interp.reportWarning("spaceLocator: the locator's local position is not modelled");
  setSelection({transform});
  call.result = Value(std::vector<std::string>{nodeName(transform)});
  return true;
}

bool cmdImagePlane(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"n", "name", 1},
                    {"c", "camera", 1},
                    {"fn", "fileName", 1},
                    {"w", "width", 1},
                    {"h", "height", 1},
                    {"sia", "showInAllViews", 1},
                    {"lt", "lookThrough", 1}},
                   false, true)) {
    return false;
  }
  if (flags.edit)
    return true;
  NodeRef camera;
  if (flags.has("camera") && !findNode(call, flags.value("camera").asString(), camera))
    return false;
  std::string error;
  std::string name = flags.has("name") ? flags.value("name").asString() : "imagePlane1";
  NodeRef plane =
      scene().createNode(minihost::placeholderType("imagePlane", false), name, NodeRef{}, &error);
  if (!plane.isSet())
    return call.failNamed(error);
  call.interp.reportWarning("imagePlane: image planes are not modelled; " + nodeName(plane) +
                            " is kept without its picture");
  call.result = Value(std::vector<std::string>{nodeName(plane), nodeName(plane)});
  return true;
}

}  // namespace

void registerTrackerCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("spaceLocator", cmdSpaceLocator);
  t.set("imagePlane", cmdImagePlane);
}

}  // namespace mel::host
