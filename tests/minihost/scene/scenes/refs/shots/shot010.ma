//Maya ASCII 2024 scene
//Name: shot010.ma
file -rdi 1 -ns "shotCam" -rfn "shotCamRN" -op "v=0;" -typ "mayaAscii"
		 "C:\\show\\assets\\camRig.ma";
file -rdi 2 -ns "lens" -rfn "shotCam:lensRN" -op "v=0;" -typ "mayaAscii" "C:/show/assets/lens.ma";
file -r -ns "shotCam" -dr 1 -rfn "shotCamRN" -op "v=0;" -typ "mayaAscii"
		 "C:\\show\\assets\\camRig.ma";
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "shotCamRNfosterParent1";
createNode transform -n "marker" -p "shotCamRNfosterParent1";
	setAttr ".tx" 4;
createNode reference -n "shotCamRN";
	setAttr -s 2 ".phl";
	setAttr ".phl[1]" 0;
	setAttr ".phl[2]" 0;
	setAttr ".ed" -type "dataReferenceEdits" 
		"shotCamRN"
		"shotCamRN" 0
		"shotCamRN" 9
		1 |shotCam:rig "take" "take" " -ci 1 -dt \"string\""
		2 "|shotCam:rig" "take" " -type \"string\" \"t3\""
		8 "|shotCam:rig|shotCam:cam" "translateZ"
		2 "|shotCam:rig|shotCam:cam|shotCam:camShape" "focalLength" " 50"
		0 "|shotCamRNfosterParent1|marker" "|shotCam:rig" 
		"-s -r "
		3 "|shotCam:rig|shotCam:cam.translateY" "|shotCam:rig|shotCam:aim.translateY" 
		""
		6 "|shotCam:rig|shotCam:cam.rotateX" "|shotCam:rig|shotCam:aim.rotateX"
		5 4 "shotCamRN" "|shotCam:rig|shotCam:cam.translateX" "shotCamRN.placeHolderList[1]" 
		""
		5 4 "shotCamRN" "|shotCam:rig|shotCam:cam.translateY" "shotCamRN.placeHolderList[2]" 
		"";
	setAttr ".ptag" -type "string" "";
lockNode -l 1 ;
createNode animCurveTL -n "cam_translateX";
	setAttr ".tan" 2;
	setAttr ".wgt" no;
	setAttr -s 2 ".ktv[0:1]"  1 0 11 100;
createNode animCurveTL -n "cam_translateY";
	setAttr ".tan" 2;
	setAttr ".wgt" no;
	setAttr -s 2 ".ktv[0:1]"  1 10 11 20;
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 11 -ast 1 -aet 11 ";
	setAttr ".st" 6;
select -ne :defaultRenderGlobals;
	setAttr ".an" yes;
	setAttr ".fs" 1;
	setAttr ".ef" 11;
connectAttr "cam_translateX.o" "shotCamRN.phl[1]";
connectAttr "cam_translateY.o" "shotCamRN.phl[2]";
// End of shot010.ma
