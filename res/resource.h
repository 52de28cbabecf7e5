// Resource ids shared by the code and the resource scripts.
#ifndef BRELLOX_RESOURCE_H
#define BRELLOX_RESOURCE_H

#define IDI_BRELLOX 104

#endif
