// The diagram's part of the page (built only for the browser): the diagram
// in words, from the model, as the page's content words it
// (packaging/web-page/, "describe"): the side of the mirror the light is on,
// where it is around the normal, and the two angles.
#include "app/web_page.h"

#include <string>

#include "app/model.h"
#include "app/scene.h"
#include "app/windows.h"
#include "web/page.h"

// The values window shows three decimals: a smaller part of the incident
// direction reads as 0 there, and so in words.
static const float kShown = 0.0005f;
static const int kDecimals = 3;

void displayDescribedDiagram() {
  // What the frame below computes, computed first so the words and the
  // picture are of the same light.
  computeReflection(&lightPosition);
  const Vector4& d = incidentDirection;
  const char* height = d.y >= kShown ? "above" : d.y <= -kShown ? "below" : "level";
  std::string side;
  auto add = [&side](const char* key) { side += (side.empty() ? "" : ",") + std::string(key); };
  if (d.x <= -kShown) add("left");
  if (d.x >= kShown) add("right");
  if (d.z >= kShown) add("front");
  if (d.z <= -kShown) add("back");
  if (side.empty()) add("plumb");
  const std::string words = std::string("height=") + height + ";side=" + side;
  const double angles[] = {reflectionAngle, reflectionAngle};
  pageDescribe(diagramWindow, "diagram", words.c_str(), angles, 2, kDecimals);
  displayDiagram();
}
