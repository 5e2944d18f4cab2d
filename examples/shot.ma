//Maya ASCII 2024 scene
//Name: shot.ma
//A small shot for trying the tools: a camera dollying past a marker cube, a spot light on the
//ground. The camera comes from shotCam.ma, referenced as studios reference a published camera;
//the shot keys it. Written by hand for this project.
file -rdi 1 -ns ":" -rfn "shotCamRN" -typ "mayaAscii" "shotCam.ma";
file -r -ns ":" -dr 1 -rfn "shotCamRN" -typ "mayaAscii" "shotCam.ma";
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "keyLight";
	setAttr ".t" -type "double3" 0 400 0 ;
	setAttr ".r" -type "double3" -90 0 0 ;
createNode spotLight -n "keyLightShape" -p "keyLight";
	setAttr -k off ".v";
	setAttr ".cl" -type "float3" 1 0.9 0.8 ;
	setAttr ".in" 20;
	setAttr ".ca" 40;
	setAttr ".pa" 5;
createNode transform -n "ground";
createNode mesh -n "groundShape" -p "ground";
createNode polyPlane -n "polyPlane1";
	setAttr ".w" 1000;
	setAttr ".h" 1000;
	setAttr ".sw" 20;
	setAttr ".sh" 20;
createNode transform -n "marker";
	setAttr ".t" -type "double3" 60 20 -40 ;
createNode mesh -n "markerShape" -p "marker";
createNode polyCube -n "polyCube1";
	setAttr ".w" 20;
	setAttr ".h" 20;
	setAttr ".d" 20;
createNode reference -n "shotCamRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"shotCamRN"
		"shotCamRN" 0;
createNode animCurveTL -n "shotCam_translateX";
	setAttr ".tan" 2;
	setAttr -s 2 ".ktv[0:1]"  1 -150 24 150;
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 24 -ast 1 -aet 24 ";
	setAttr ".st" 6;
select -ne :defaultRenderGlobals;
	setAttr ".an" yes;
	setAttr ".fs" 1;
	setAttr ".ef" 24;
select -ne :defaultResolution;
	setAttr ".w" 320;
	setAttr ".h" 240;
connectAttr "polyPlane1.out" "groundShape.i";
connectAttr "polyCube1.out" "markerShape.i";
connectAttr "shotCam_translateX.o" "shotCam.tx";
