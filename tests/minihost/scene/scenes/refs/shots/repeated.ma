//Maya ASCII 2024 scene
//Name: repeated.ma
file -r -ns "camA" -rfn "camARN" "$VXR_TEST_REFS/assets/camRig.ma";
file -r -ns "camB" -rfn "camBRN" "${VXR_TEST_REFS}/assets/camRig.ma";
file -r -ns "camC" -dr 1 -rfn "camCRN" "%VXR_TEST_REFS%/assets/camRig.ma";
file -r -rpr "old" -rfn "oldRN" "../assets/lens.ma";
requires maya "2024";
createNode reference -n "camARN";
createNode reference -n "camBRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"camBRN"
		"camBRN" 1
		2 "|camB:rig|camB:cam|camB:camShape" "focalLength" " 70";
createNode reference -n "camCRN";
// End of repeated.ma
