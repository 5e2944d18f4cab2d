//Maya ASCII 2024 scene
//Name: deferred_rig.ma
file -rdi 1 -ns "cam" -dr 1 -rfn "camRN" -typ "mayaAscii" "../assets/camRig.ma";
file -r -ns "cam" -dr 1 -rfn "camRN" -typ "mayaAscii" "../assets/camRig.ma";
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode reference -n "camRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"camRN"
		"camRN" 2
		2 "|cam:rig|cam:cam|cam:camShape" "focalLength" " 85"
		5 4 "camRN" "|cam:rig|cam:cam.translateX" "camRN.placeHolderList[1]" 
		"";
createNode animCurveTL -n "cam_translateX";
	setAttr ".tan" 2;
	setAttr -s 2 ".ktv[0:1]"  1 -5 11 5;
connectAttr "cam_translateX.o" "camRN.phl[1]";
// End of deferred_rig.ma
