/// @file
/// Faceted meshes: a closed cylinder and a cone with a base disc, both standing
/// on the y axis and centred at the origin, drawn in immediate mode. Also the
/// float tolerance test with which the arrows recognise a direction along z.
#pragma once

/// Draw a closed cylinder of the given height along y (from -height/2 to
/// +height/2) and radius, cut into `facets` flat side facets: top cap, bottom
/// cap, then the side quads with one radial normal per vertex. Call outside
/// glBegin/glEnd; changes no GL state but the current normal. If the sample
/// arrays cannot be allocated, nothing is drawn.
/// @param height  the length along y, in model units
/// @param radius  the radius, in model units
/// @param facets  the number of side facets; a negative count counts as 0
void drawCylinder(double height, double radius, int facets);

/// Draw a cone along y: base disc of the given radius at y = -height/2, apex
/// at (0, height/2, 0), cut into `facets` side facets whose normals are
/// horizontal. Same calling rules, facet-count and allocation handling as
/// drawCylinder.
/// @param height  the length along y, in model units
/// @param radius  the radius of the base, in model units
/// @param facets  the number of side facets
void drawCone(double height, double radius, int facets);

/// Whether a and b are equal within 1e-5.
/// @param a, b  the values
/// @return 1 when a and b differ by strictly less than 1e-5 (difference taken
///         in float), else 0; a NaN on either side gives 0
int nearlyEqual(float a, float b);
