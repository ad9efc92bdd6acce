// The application icon, drawn from the SVG in the resources.
#pragma once

#include <QIcon>

QIcon applicationIcon();
