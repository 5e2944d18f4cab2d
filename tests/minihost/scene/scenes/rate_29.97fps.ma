//Maya ASCII 2024 scene
//Name: rate_29.97fps.ma
requires maya "2024";
currentUnit -l centimeter -a degree -t 29.97fps;
createNode transform -n "shotCam";
createNode camera -n "shotCamShape" -p "shotCam";
	setAttr -k off ".v";
	setAttr ".ncp" 0.5;
createNode animCurveTL -n "shotCam_translateX";
	setAttr ".tan" 2;
	setAttr -s 2 ".ktv[0:1]"  1 0 9 80;
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 9 -ast 1 -aet 9 ";
	setAttr ".st" 6;
select -ne :defaultRenderGlobals;
	setAttr ".an" yes;
	setAttr ".fs" 1;
	setAttr ".ef" 9;
connectAttr "shotCam_translateX.o" "shotCam.tx";
