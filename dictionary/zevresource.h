// Resource identifiers of Zev.dll.
#ifndef ZEV_RESOURCE_H
#define ZEV_RESOURCE_H

// Setup dialog: conversion level and entry types.
#define IDD_SETUP 105
#define IDC_SETUP_LEVEL1 1002  // radio buttons of levels 1 to 8: 1002 to 1009
#define IDC_SETUP_LEVEL8 1009
#define IDC_SETUP_LEVEL_GROUP 1010
#define IDC_SETUP_TYPE_GROUP 1011
#define IDC_SETUP_TYPE1 1012  // check boxes of types 1 to 8: 1012 to 1019
#define IDC_SETUP_TYPE8 1019
#define IDC_SETUP_OK 1020
#define IDC_SETUP_CANCEL 1021

#endif
