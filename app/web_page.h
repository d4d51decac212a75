// The diagram's part of the page, built only for the browser: what the page
// says of the diagram to screen readers, made from the model's own values.
#pragma once

// Display callback of the diagram window in the page: describes the diagram
// (where the light is, the two angles) for screen readers, then draws it as
// displayDiagram does.
void displayDescribedDiagram();
