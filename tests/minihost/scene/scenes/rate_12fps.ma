//Maya ASCII 2024 scene
//Name: rate_12fps.ma
requires maya "2024";
currentUnit -l centimeter -a degree -t 12fps;
createNode transform -n "shotCam";
createNode camera -n "shotCamShape" -p "shotCam";
	setAttr -k off ".v";
	setAttr ".ncp" 0.5;
createNode animCurveTL -n "shotCam_translateX";
	setAttr ".tan" 2;
	setAttr -s 2 ".ktv[0:1]"  1 0 13 80;
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 13 -ast 1 -aet 13 ";
	setAttr ".st" 6;
select -ne :defaultRenderGlobals;
	setAttr ".an" yes;
	setAttr ".fs" 1;
	setAttr ".ef" 13;
connectAttr "shotCam_translateX.o" "shotCam.tx";
