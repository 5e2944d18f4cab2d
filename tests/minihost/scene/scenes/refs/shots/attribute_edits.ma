//Maya ASCII 2024 scene
//Name: attribute_edits.ma
file -rdi 1 -ns "cam" -rfn "camRN" -op "v=0;" -typ "mayaAscii" "../assets/camRig.ma";
file -rdi 2 -ns "lens" -rfn "cam:lensRN" -op "v=0;" -typ "mayaAscii" "../assets/lens.ma";
file -r -ns "cam" -dr 1 -rfn "camRN" -op "v=0;" -typ "mayaAscii" "../assets/camRig.ma";
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode reference -n "camRN";
	setAttr -s 1 ".phl";
	setAttr ".phl[1]" 0;
	setAttr ".ed" -type "dataReferenceEdits" 
		"camRN"
		"camRN" 14
		1 |cam:rig "focusDistance" "fd" " -ci 1 -k 1 -min 0 -at \"doubleLinear\""
		1 |cam:rig "take" "take" " -ci 1 -dt \"string\""
		1 |cam:rig "scratch" "scr" " -ci 1 -at \"double\""
		2 "|cam:rig" "take" " -type \"string\" \"t7\""
		2 "|cam:rig" "scratch" " 5"
		8 "|cam:rig|cam:cam" "translateZ"
		2 "|cam:rig|cam:cam" "translateZ" " 99"
		8 "|cam:rig|cam:aim" "translateX"
		9 "|cam:rig|cam:aim" "translateX"
		2 "|cam:rig|cam:aim" "translateX" " 3"
		4 "|cam:rig" "scratch"
		8 "|cam:gone" "translateX"
		4 "|cam:rig|cam:cam" "translateY"
		5 4 "camRN" "|cam:rig.focusDistance" "camRN.placeHolderList[1]" 
		"";
createNode animCurveTL -n "focus_anim";
	setAttr ".tan" 2;
	setAttr ".wgt" no;
	setAttr -s 2 ".ktv[0:1]"  1 200 11 1200;
connectAttr "focus_anim.o" "camRN.phl[1]";
// End of attribute_edits.ma
